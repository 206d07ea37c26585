#include "shell/TfrmZZMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLocalSocket>
#include <QMenuBar>
#include <QPainter>
#include <QSerialPort>
#include <QTabWidget>
#include <QVBoxLayout>

#include "common/MessageBoxes.h"
#include "common/SessionContext.h"
#include "common/TConfigFile.h"
#include "common/TQuery.h"
#include "common/WindowMessage.h"
#include "controls/ESelvarError.h"
#include "shell/TfrmZZD000.h"

namespace {
const char* const ScreenProperty = "TabScreen";
const QString LauncherName = QStringLiteral("Tfrm_0Main");
constexpr int CardNumberLength = 10;

// An INI integer as the system reads it: missing or not a number gives the default.
// Read as the connection file is: UTF-8, UTF-16 with a mark or code page 949.
int ReadIniInteger(const QString& path, const QString& key, int defaultValue)
{
    bool ok = false;
    const int value = TConfigFile::Value(path, key).toString().trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

QPixmap PaintMarker(bool active)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (active) {
        painter.setPen(QColor(0x1C, 0x5F, 0x2A));
        painter.setBrush(QColor(0x3C, 0xB0, 0x4E));
        const QPointF arrow[] = {{4, 3}, {13, 8}, {4, 13}};
        painter.drawPolygon(arrow, 3);
    } else {
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.setBrush(QColor(0xE0, 0xE0, 0xE0));
        painter.drawRect(QRectF(4.5, 4.5, 7, 7));
    }
    return pixmap;
}
} // namespace

TfrmZZMain::TfrmZZMain(TfrmZZD000* dataModule, QWidget* parent)
    : QMainWindow(parent), m_dataModule(dataModule)
{
    BuildWindow();
}

TfrmZZMain::~TfrmZZMain()
{
    // FormDestroy: the card reader's port closes with the window.
    if (comRF15693 && comRF15693->isOpen())
        comRF15693->close();
}

void TfrmZZMain::BuildWindow()
{
    setObjectName(QStringLiteral("frmZZMain"));
    setMinimumSize(1024, 746);
    setFont(QFont(QStringLiteral("굴림체"), 9));

    menuBar()->setObjectName(QStringLiteral("mmuMenu"));
    mmuMenuWindow = menuBar()->addMenu(QStringLiteral("창(&W)"));
    mmuMenuWindow->setObjectName(QStringLiteral("mmuMenuWindow"));
    mmuMenuWindow->setAttribute(Qt::WA_WindowPropagation); // popups use the window's font
    mmuMenuWindowClose = mmuMenuWindow->addAction(QStringLiteral("종료"));
    mmuMenuWindowClose->setObjectName(QStringLiteral("mmuMenuWindowClose"));
    mmuMenuWindowClose->setShortcut(Qt::Key_F12);
    mmuMenuWindowClose->setVisible(false);
    connect(mmuMenuWindowClose, &QAction::triggered, this, &TfrmZZMain::mmuMenuWindowCloseClick);
    // A hidden entry's shortcut never fires, so F12 lives on the window itself.
    auto* closeKey = new QAction(this);
    closeKey->setObjectName(QStringLiteral("mmuMenuWindowCloseKey"));
    closeKey->setShortcut(Qt::Key_F12);
    closeKey->setShortcutContext(Qt::WindowShortcut);
    connect(closeKey, &QAction::triggered, this, &TfrmZZMain::mmuMenuWindowCloseClick);
    addAction(closeKey);

    auto* workspace = new QWidget(this);
    workspace->setObjectName(QStringLiteral("panWorkspace"));
    workspace->setAutoFillBackground(true);
    QPalette palette = workspace->palette();
    palette.setColor(QPalette::Window, QColor(0xAB, 0xAB, 0xAB));
    workspace->setPalette(palette);
    auto* layout = new QVBoxLayout(workspace);
    layout->setContentsMargins(0, 0, 0, 0);
    pgcTabs = new QTabWidget(workspace);
    pgcTabs->setObjectName(QStringLiteral("pgcTabs"));
    pgcTabs->setVisible(false);
    layout->addWidget(pgcTabs);
    setCentralWidget(workspace);
    connect(pgcTabs, &QTabWidget::currentChanged, this, &TfrmZZMain::pgcTabsChange);
    pgcTabsChange();
}

void TfrmZZMain::FormCreate()
{
    LoadSettings();
    LoadMenu();
    setWindowTitle(windowTitle() + QStringLiteral("(") + m_titleSuffix + QStringLiteral(")"));
    if (m_rfidPort > 0)
        OpenRfidReader();
}

void TfrmZZMain::LoadSettings()
{
    m_programCount = ReadIniInteger(SessionContext::AppDir() + QStringLiteral("Main.ini"),
                                    QStringLiteral("MAIN/PROGRAM_COUNT"), 10);
    m_rfidPort = ReadIniInteger(SessionContext::ProgramIniPath(), QStringLiteral("RF15693/PORT"), 0);
}

QWidget* TfrmZZMain::TabScreen(int index) const
{
    const QWidget* page = pgcTabs->widget(index);
    return page ? qobject_cast<QWidget*>(page->property(ScreenProperty).value<QObject*>()) : nullptr;
}

bool TfrmZZMain::OpenProgram(const QString& caption, const QString& programId)
{
    for (int i = 0; i < pgcTabs->count(); ++i) {
        if (pgcTabs->tabToolTip(i) == programId) {
            pgcTabs->setCurrentIndex(i);
            pgcTabsChange();
            return false;
        }
    }
    if (pgcTabs->count() == m_programCount) {
        ShowError(QStringLiteral("최대 %1개의 프로그램만 동시에 실행할 수 있습니다.").arg(m_programCount));
        return false;
    }
    QString tabCaption = caption;
    const qsizetype accelerator = tabCaption.indexOf(QStringLiteral("(&"));
    if (accelerator >= 0)
        tabCaption.truncate(accelerator);

    pgcTabs->setVisible(true);
    auto* page = new QWidget();
    page->installEventFilter(this);
    const int index = pgcTabs->addTab(page, MarkerImage(0), tabCaption);
    pgcTabs->setTabToolTip(index, programId); // the tab's hint identifies it
    pgcTabs->setCurrentIndex(index);

    QWidget* screen = CreateScreen(programId);
    bool opened = false;
    if (!screen) {
        pgcTabs->removeTab(index);
        delete page;
        if (pgcTabs->count() == 0)
            pgcTabs->setVisible(false);
    } else {
        page->setProperty(ScreenProperty, QVariant::fromValue(static_cast<QObject*>(screen)));
        AddProgramEntry(mmuMenuWindow, tabCaption, programId);
        opened = true;
    }
    pgcTabsChange();
    return opened;
}

QWidget* TfrmZZMain::CreateScreen(const QString&)
{
    return nullptr;
}

QWidget* TfrmZZMain::EmbedScreen(QWidget* screen)
{
    QWidget* page = pgcTabs->widget(pgcTabs->count() - 1);
    screen->setParent(page, Qt::Widget);
    screen->setGeometry(QRect(QPoint(0, 0), page->size()));
    if (pgcTabs->count() == 1)
        MoveFocusForward();
    screen->show();
    MoveFocusForward();
    return screen;
}

// A Tab key press and release, as the keyboard would send them.
void TfrmZZMain::MoveFocusForward()
{
    QWidget* target = focusWidget();
    if (!target)
        target = this;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

void TfrmZZMain::AddProgramEntry(QMenu* menu, const QString& caption, const QString& programId)
{
    QAction* entry = menu->addAction(caption);
    entry->setData(programId);
    entry->setStatusTip(programId);
    connect(entry, &QAction::triggered, this, [this, entry] { MenuProgramClick(entry); });
}

void TfrmZZMain::MenuProgramClick(QAction* entry)
{
    OpenProgram(entry->text(), entry->data().toString());
}

void TfrmZZMain::pgcTabsChange()
{
    // Opened with nothing to list, the menu bar kept treating the window menu
    // as empty for the rest of the session; without tabs it is simply off.
    mmuMenuWindow->menuAction()->setEnabled(pgcTabs->count() > 0);
    const QList<QAction*> entries = mmuMenuWindow->actions();
    for (int i = 0; i < pgcTabs->count(); ++i) {
        const bool active = i == pgcTabs->currentIndex();
        pgcTabs->setTabIcon(i, MarkerImage(active ? 1 : 0));
        if (i + 1 < entries.size())
            entries[i + 1]->setIcon(MarkerImage(active ? 1 : 0));
    }
}

QIcon TfrmZZMain::MarkerImage(int index)
{
    static const QIcon images[] = {QIcon(PaintMarker(false)), QIcon(PaintMarker(true))};
    return images[index == 1 ? 1 : 0];
}

void TfrmZZMain::FormResize()
{
    if (pgcTabs->currentIndex() < 0)
        return;
    const QSize size = pgcTabs->currentWidget()->size();
    for (int i = 0; i < pgcTabs->count(); ++i)
        WindowMessage::Send(TabScreen(i), WindowMessage::WM_PAGE_RESIZE, size.width(), size.height());
}

void TfrmZZMain::mmuMenuWindowCloseClick()
{
    if (QWidget* screen = TabScreen(pgcTabs->currentIndex()))
        screen->close();
}

// The active screen asked to be closed: its tab and window-menu entry go. The
// tab that followed becomes active, or the first one after the last tab.
void TfrmZZMain::CloseActiveProgram()
{
    const int index = pgcTabs->currentIndex();
    if (index < 0)
        return;
    const QList<QAction*> entries = mmuMenuWindow->actions();
    if (index + 1 < entries.size()) {
        mmuMenuWindow->removeAction(entries[index + 1]);
        entries[index + 1]->deleteLater();
    }
    const int next = index == pgcTabs->count() - 1 ? 0 : index;
    QWidget* page = pgcTabs->widget(index);
    pgcTabs->removeTab(index);
    // The request usually comes from inside the screen's own close handling,
    // so the page and its screen are destroyed once that call has returned.
    page->hide();
    page->deleteLater();
    if (pgcTabs->count() == 0)
        pgcTabs->setVisible(false);
    else
        pgcTabs->setCurrentIndex(next);
    pgcTabsChange();
}

bool TfrmZZMain::event(QEvent* e)
{
    switch (static_cast<int>(e->type())) {
    case WindowMessage::WM_CLOSE_PROGRAM:
        CloseActiveProgram();
        return true;
    case WindowMessage::WM_OPEN_PROGRAM: {
        const auto* message = static_cast<WindowMessage*>(e);
        OpenProgram(message->First().toString(), message->Second().toString());
        return true;
    }
    default:
        return QMainWindow::event(e);
    }
}

bool TfrmZZMain::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::Resize && watched == pgcTabs->currentWidget())
        FormResize();
    return QMainWindow::eventFilter(watched, e);
}

// Every screen is asked to close in turn; one that refuses keeps the window
// open. The launcher hears of the attempt either way.
void TfrmZZMain::closeEvent(QCloseEvent* e)
{
    // The first screen that stays open ends the round: asking it again
    // would repeat its question.
    while (pgcTabs->count() > 0) {
        const int before = pgcTabs->count();
        mmuMenuWindowCloseClick();
        if (pgcTabs->count() == before)
            break;
    }
    e->setAccepted(pgcTabs->count() == 0);
    NotifyLauncher();
}

void TfrmZZMain::NotifyLauncher()
{
    QLocalSocket launcher;
    launcher.connectToServer(LauncherName);
    if (!launcher.waitForConnected(1000))
        return;
    launcher.write(QByteArray::number(WindowMessage::WM_CLIENT_CLOSING));
    launcher.waitForBytesWritten(1000);
    launcher.disconnectFromServer();
}

QString TfrmZZMain::SerialDevicePath(int portNumber)
{
    const QString configured = TConfigFile::Value(SessionContext::ProgramIniPath(),
                                                  QStringLiteral("SerialPorts/COM%1").arg(portNumber))
                                   .toString()
                                   .trimmed();
    return configured.isEmpty() ? QStringLiteral("/dev/ttyS%1").arg(portNumber - 1) : configured;
}

bool TfrmZZMain::RfidPortOpen() const
{
    return comRF15693 && comRF15693->isOpen();
}

void TfrmZZMain::OpenRfidReader()
{
    comRF15693 = new QSerialPort(this);
    comRF15693->setObjectName(QStringLiteral("comRF15693"));
    comRF15693->setPortName(SerialDevicePath(m_rfidPort));
    connect(comRF15693, &QSerialPort::readyRead, this, &TfrmZZMain::comRF15693RxChar);
    const bool opened = comRF15693->open(QIODevice::ReadWrite)
                        && comRF15693->setBaudRate(QSerialPort::Baud19200)
                        && comRF15693->setDataBits(QSerialPort::Data8)
                        && comRF15693->setParity(QSerialPort::NoParity)
                        && comRF15693->setStopBits(QSerialPort::OneStop)
                        && comRF15693->setFlowControl(QSerialPort::NoFlowControl);
    if (!opened) {
        delete comRF15693;
        comRF15693 = nullptr;
        ShowError(QStringLiteral("RFID리더 포트(COM%1)를 열 수 없습니다.\r"
                                 "해당 포트를 다른 장치나 프로그램에서 사용중일 수 있습니다.")
                      .arg(m_rfidPort));
    }
}

// Each block replaces the last card number; only a ten-character block read
// while a screen is open reaches the active screen.
void TfrmZZMain::comRF15693RxChar()
{
    QString received = QString::fromLatin1(comRF15693->readAll());
    if (pgcTabs->count() == 0) {
        SessionContext::SetLastCardNumber(QString());
        return;
    }
    if (received.size() > CardNumberLength)
        received.truncate(CardNumberLength);
    SessionContext::SetLastCardNumber(received);
    if (received.size() == CardNumberLength && pgcTabs->currentIndex() >= 0)
        WindowMessage::Send(TabScreen(pgcTabs->currentIndex()), WindowMessage::WM_RFID_READ);
}

namespace {
const char* const TitleSql =
    "SELECT   DETAIL_NAME FROM     ZX010MS WHERE    HEAD   = 'Z9999'  AND    DETAIL = :P0";
const char* const MenuSql =
    "SELECT   MENU_ID,         MENU_NAME FROM     ZA040MS WHERE    PROJECT_ID  = :P0  AND    "
    "DISPLAY_SEQ > 0 ORDER BY DISPLAY_SEQ";
// Level grants plus additions, minus removals, evaluated left to right.
const char* const ProgramSql =
    "SELECT   MENU_ID,         PROGRAM_ID,         PROGRAM_NAME FROM     ZA050MS WHERE    "
    "PROJECT_ID = :P0  AND    MENU_ID    = :P1  AND    PROGRAM_ID IN (SELECT   "
    "PROGRAM_ID                        FROM     ZA140MS                        WHERE    "
    "PROJECT_ID    = :P0                          AND    PROJECT_LEVEL = (SELECT   "
    "PROJECT_LEVEL                                                  FROM     "
    "ZA130MS                                                  WHERE    EMP_NO     = "
    ":P2                                                    AND    PROJECT_ID = "
    ":P0)                        UNION ALL                        SELECT   "
    "PROGRAM_ID                        FROM     ZA150MS                        WHERE    "
    "EMP_NO     = :P2                          AND    PROJECT_ID = "
    ":P0                          AND    ADD_YN     = 'Y'                        "
    "MINUS                        SELECT   PROGRAM_ID                        FROM     "
    "ZA150MS                        WHERE    EMP_NO     = :P2                          "
    "AND    PROJECT_ID = :P0                          AND    ADD_YN     = 'N')  AND    "
    "DISPLAY_SEQ > 0 ORDER BY DISPLAY_SEQ";

void SetStatement(TQuery& query, const char* sql)
{
    query.Close();
    query.SQL().clear();
    query.SQL().append(QString::fromUtf8(sql));
}
} // namespace

void TfrmZZMain::LoadMenu()
{
    if (!m_dataModule || !m_dataModule->Connected()) {
        m_terminate = true; // the failure has been reported already
        return;
    }
    m_canShow = true;
    try {
        LoadTitleSuffix();
        LoadProgramMenus();
    } catch (const ESelvarError& e) {
        // The menus loaded so far stay; the window opens with them.
        m_dataModule->qryQuery.Close();
        m_dataModule->qryQuery2.Close();
        ShowError(e.Message());
    }
}

void TfrmZZMain::LoadTitleSuffix()
{
    TQuery& query = m_dataModule->qryQuery;
    SetStatement(query, TitleSql);
    query.ParamByName(QStringLiteral("P0")).SetAsString(m_dataModule->DatabaseUser().toUpper());
    query.Open();
    m_titleSuffix = query.Eof() ? QString() : query.Fields(0).AsString();
    query.Close();
}

void TfrmZZMain::LoadProgramMenus()
{
    TQuery& menus = m_dataModule->qryQuery;
    TQuery& programs = m_dataModule->qryQuery2;
    const QString projectId = SessionContext::ProjectId();
    SetStatement(menus, MenuSql);
    SetStatement(programs, ProgramSql);
    menus.ParamByName(QStringLiteral("P0")).SetAsString(projectId);
    menus.Open();
    for (; !menus.Eof(); menus.Next()) {
        auto* menu = new QMenu(menus.FieldByName(QStringLiteral("MENU_NAME")).AsString(), menuBar());
        menu->setAttribute(Qt::WA_WindowPropagation);
        menuBar()->insertMenu(mmuMenuWindow->menuAction(), menu);
        try {
            AddPermittedPrograms(menu, programs, projectId,
                                 menus.FieldByName(QStringLiteral("MENU_ID")).AsString());
        } catch (...) {
            delete menu; // no half-built menu stays behind
            throw;
        }
        if (menu->isEmpty())
            delete menu; // a menu without a permitted program is not shown
    }
    menus.Close();
}

void TfrmZZMain::AddPermittedPrograms(QMenu* menu, TQuery& programs, const QString& projectId,
                                      const QString& menuId)
{
    programs.ParamByName(QStringLiteral("P0")).SetAsString(projectId);
    programs.ParamByName(QStringLiteral("P1")).SetAsString(menuId);
    programs.ParamByName(QStringLiteral("P2")).SetAsString(SessionContext::EmpNo());
    programs.Open();
    for (; !programs.Eof(); programs.Next())
        AddProgramEntry(menu, programs.FieldByName(QStringLiteral("PROGRAM_NAME")).AsString(),
                        programs.FieldByName(QStringLiteral("PROGRAM_ID")).AsString());
    programs.Close();
}
