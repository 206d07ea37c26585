#include "framework/TfrmZZI000.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "common/KoreanFonts.h"
#include "common/SessionContext.h"
#include "common/WindowMessage.h"
#include "framework/EAbort.h"
#include "framework/GeneralErrorHandler.h"
#include "framework/SharedConnection.h"
#include "framework/TPanel.h"
#include "framework/TStatusBar.h"

namespace {
constexpr int ButtonStripHeight = 40;
constexpr int SearchPanelHeight = 40;
constexpr int PanelPadding = 20;
} // namespace

TfrmZZI000::TfrmZZI000(QWidget* parent)
    : QWidget(parent), qryQuery(SharedConnection::Database())
{
    setObjectName(QStringLiteral("frmZZI000"));
    setFont(ScreenFont());

    panMain = new TPanel(this);
    panMain->setObjectName(QStringLiteral("panMain"));
    panButtons = new TPanel(this, TPanel::bvTopLine);
    panButtons->setObjectName(QStringLiteral("panButtons"));
    panButtons->setFixedHeight(ButtonStripHeight);
    auto* buttons = new QHBoxLayout(panButtons);
    buttons->setContentsMargins(4, 2, 4, 0);
    buttons->setSpacing(2);
    buttons->addStretch(1);
    bbtClose = NewButton(QStringLiteral("종료(F12)"), QStringLiteral("bbtClose"), 80, 25);
    bbtClose->setParent(panButtons);
    buttons->addWidget(bbtClose);
    ConnectButton(bbtClose, [this] { bbtCloseClick(); });

    stbMessage = new TStatusBar(4, this);
    stbMessage->setObjectName(QStringLiteral("stbMessage"));
    stbMessage->SetPanelWidth(0, 120);
    stbMessage->SetPanelAlignment(0, Qt::AlignHCenter);
    stbMessage->SetPanelWidth(1, 650);
    stbMessage->SetPanelAlignment(1, Qt::AlignLeft);
    stbMessage->SetPanelWidth(2, 120);
    stbMessage->SetPanelAlignment(2, Qt::AlignHCenter);
    stbMessage->SetPanelWidth(3, 500);
    stbMessage->SetPanelAlignment(3, Qt::AlignHCenter);

    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(panMain, 1);
    m_layout->addWidget(panButtons);
    m_layout->addWidget(stbMessage);

    popHotkey = new QMenu(this);
    popHotkey->setObjectName(QStringLiteral("popHotkey"));

    // F12 belongs to the main window; a free-standing screen has none around
    // it, so it carries the key itself while it is a window of its own.
    m_closeKey = new QAction(QStringLiteral("종료"), this);
    m_closeKey->setObjectName(QStringLiteral("actCloseKey"));
    m_closeKey->setShortcut(Qt::Key_F12);
    m_closeKey->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(m_closeKey, &QAction::triggered, this, [this] { RunCommand([this] { bbtCloseClick(); }); });
    UpdateCloseKey();

    AddQuery(qryQuery);
    resize(1008, 670);
}

TfrmZZI000::~TfrmZZI000()
{
    if (m_modalLoop)
        m_modalLoop->quit();
}

void TfrmZZI000::CreateForm()
{
    if (m_formCreated)
        return;
    m_formCreated = true;
    FormCreate();
}

void TfrmZZI000::FormCreate()
{
    stbMessage->SetPanelText(0, ProgramId());
    stbMessage->SetPanelText(2, QStringLiteral("사용자 : ") + SessionContext::UserName());
    stbMessage->SetPanelText(3, RoleText());
    FormResize();
    ArrangeTabOrder();
}

QString TfrmZZI000::ProgramId() const
{
    return objectName().mid(3);
}

QString TfrmZZI000::RoleText()
{
    const QSettings ini(SessionContext::ProgramIniPath(), QSettings::IniFormat);
    bool ok = false;
    int type = ini.value(QStringLiteral("Role/Type")).toString().trimmed().toInt(&ok);
    if (!ok)
        type = 0;
    const QString name = ini.value(QStringLiteral("Role/Name")).toString();
    if (name.isEmpty())
        return QString();
    switch (type) {
    case 1: return QStringLiteral("사업장 - ") + name;
    case 2: return QStringLiteral("팀 - ") + name;
    case 3: return QStringLiteral("영업장 - ") + name;
    default: return QString();
    }
}

void TfrmZZI000::FormResize()
{
    const QFontMetrics metrics(font());
    auto textWidth = [&](int panel) { return metrics.horizontalAdvance(stbMessage->PanelText(panel)) + PanelPadding; };
    stbMessage->SetPanelWidth(0, textWidth(0));
    stbMessage->SetPanelWidth(2, textWidth(2));
    stbMessage->SetPanelWidth(3, stbMessage->PanelText(3).isEmpty() ? 0 : textWidth(3));
    stbMessage->SetPanelWidth(1, width() - (stbMessage->PanelWidth(0) + stbMessage->PanelWidth(2)
                                            + stbMessage->PanelWidth(3)));
}

void TfrmZZI000::SetStatusText(const QString& text)
{
    if (stbMessage->PanelText(1) == text)
        return;
    stbMessage->SetPanelText(1, text);
    stbMessage->repaint();
}

QString TfrmZZI000::StatusText() const
{
    return stbMessage->PanelText(1);
}

bool TfrmZZI000::Available(const QWidget* button)
{
    return !button->isHidden() && button->isEnabledTo(button->parentWidget());
}

void TfrmZZI000::CheckAvailable(QWidget* button)
{
    SetStatusText(QString());
    if (!Available(button))
        Abort();
}

void TfrmZZI000::bbtCloseClick()
{
    CheckAvailable(bbtClose);
    if (FreeStanding())
        close();
    else
        SendKey(this, Qt::Key_F12); // the main window's close entry takes it
}

bool TfrmZZI000::FormCloseQuery()
{
    for (TQuery* query : m_queries)
        if (query->Active())
            query->Close();
    if (FreeStanding())
        return true;
    WindowMessage::Send(window(), WindowMessage::WM_CLOSE_PROGRAM);
    return false;
}

void TfrmZZI000::FormClose()
{
    if (m_modalLoop)
        m_modalLoop->quit(); // the caller reads the results and frees the screen
    else
        deleteLater();
}

void TfrmZZI000::closeEvent(QCloseEvent* e)
{
    if (!FormCloseQuery()) {
        e->ignore();
        return;
    }
    e->accept();
    FormClose();
}

void TfrmZZI000::ShowModal()
{
    setWindowModality(Qt::ApplicationModal);
    show();
    QEventLoop loop;
    m_modalLoop = &loop;
    loop.exec(QEventLoop::DialogExec);
    m_modalLoop = nullptr;
}

QWidget* TfrmZZI000::MainWindow() const
{
    if (!FreeStanding())
        return window();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(top))
            return top;
    return nullptr;
}

void TfrmZZI000::OpenOtherProgram(const QString& caption, const QString& programId)
{
    WindowMessage::Send(MainWindow(), WindowMessage::WM_OPEN_PROGRAM, caption, programId);
}

QAction* TfrmZZI000::AddHotkey(const QString& text, const QKeySequence& key, std::function<void()> handler)
{
    auto* action = new QAction(text, popHotkey);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(action, &QAction::triggered, this, [handler = std::move(handler)] { RunCommand(handler); });
    popHotkey->addAction(action);
    addAction(action);
    return action;
}

void TfrmZZI000::ConnectButton(QAbstractButton* button, std::function<void()> handler)
{
    connect(button, &QAbstractButton::clicked, this, [handler = std::move(handler)] { RunCommand(handler); });
}

void TfrmZZI000::AddButton(QPushButton* button, QWidget* before)
{
    auto* strip = static_cast<QHBoxLayout*>(panButtons->layout());
    button->setParent(panButtons);
    const int index = strip->indexOf(before ? before : bbtClose);
    strip->insertWidget(index < 0 ? strip->count() : index, button);
}

QPushButton* TfrmZZI000::NewButton(const QString& caption, const QString& name, int width, int height)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setFixedSize(width, height);
    return button;
}

TPanel* TfrmZZI000::BuildSearchPanel(QPushButton** searchButton)
{
    m_searchPanel = new TPanel(this, TPanel::bvRaised);
    m_searchPanel->setObjectName(QStringLiteral("panSearch"));
    m_searchPanel->setFixedHeight(SearchPanelHeight);
    auto* conditions = new QHBoxLayout(m_searchPanel);
    conditions->setContentsMargins(6, 2, 6, 2);
    conditions->setSpacing(4);
    conditions->addStretch(1);
    m_searchButton = NewButton(QStringLiteral("조회(F3)"), QStringLiteral("bbtSearch"), 80, 25);
    m_searchButton->setParent(m_searchPanel);
    conditions->addWidget(m_searchButton);
    m_layout->insertWidget(0, m_searchPanel);
    *searchButton = m_searchButton;
    return m_searchPanel;
}

void TfrmZZI000::AddSearchControl(QWidget* control)
{
    auto* conditions = static_cast<QHBoxLayout*>(m_searchPanel->layout());
    control->setParent(m_searchPanel);
    conditions->insertWidget(conditions->indexOf(m_searchButton) - 1, control);
}

// Tab moves through the screen as it reads: the search conditions, then the
// search button, the data area, the button strip. So the Tab that the shell
// sends into a new screen, and the one that search mode sends from panSearch,
// land on the first search condition.
void TfrmZZI000::ArrangeTabOrder()
{
    QList<QWidget*> regions[4];
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        if (!isAncestorOf(w) || !(w->focusPolicy() & Qt::TabFocus) || w->focusProxy())
            continue;
        if (w == m_searchButton)
            continue;
        const int region = m_searchPanel && m_searchPanel->isAncestorOf(w) ? 0
                           : panMain->isAncestorOf(w)                     ? 1
                           : panButtons->isAncestorOf(w)                  ? 2
                                                                          : 3;
        regions[region].append(w);
    }
    if (m_searchButton)
        regions[0].append(m_searchButton);
    // setTabOrder leaves a pair alone when, walking back from the second
    // through controls without focus, it wraps round the window to the first;
    // a focusable stand-in at the end of the chain stops that walk.
    QWidget stopper(this);
    stopper.setFocusPolicy(Qt::TabFocus);
    stopper.hide();
    QWidget* previous = nullptr;
    for (const QList<QWidget*>& region : regions) {
        for (QWidget* w : region) {
            if (previous)
                setTabOrder(previous, w);
            previous = w;
        }
    }
}

void TfrmZZI000::AddQuery(TQuery& query)
{
    m_queries.push_back(&query);
}

void TfrmZZI000::SendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QCoreApplication::sendEvent(target, &release);
}

void TfrmZZI000::UpdateCloseKey()
{
    // Two F12 shortcuts in one window would cancel each other out.
    if (!m_closeKey)
        return;
    if (FreeStanding())
        addAction(m_closeKey);
    else
        removeAction(m_closeKey);
}

bool TfrmZZI000::event(QEvent* e)
{
    if (static_cast<int>(e->type()) == WindowMessage::WM_PAGE_RESIZE) {
        const auto* message = static_cast<WindowMessage*>(e);
        resize(message->First().toInt(), message->Second().toInt());
        FormResize(); // a hidden screen gets its resize event only when shown
        return true;
    }
    if (e->type() == QEvent::ParentChange)
        UpdateCloseKey();
    return QWidget::event(e);
}

void TfrmZZI000::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    FormResize();
}

void TfrmZZI000::showEvent(QShowEvent* e)
{
    CreateForm();
    QWidget::showEvent(e);
}
