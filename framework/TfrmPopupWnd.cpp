#include "framework/TfrmPopupWnd.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/KoreanFonts.h"
#include "controls/TwColumnTitle.h"
#include "controls/TwColumns.h"
#include "controls/TwDBColumn.h"
#include "controls/TwDBGrid.h"
#include "controls/TwDataField.h"
#include "controls/TwGridHeaders.h"
#include "framework/GeneralErrorHandler.h"
#include "framework/PopupStatement.h"
#include "framework/TStatusBar.h"

namespace {
constexpr int ToolbarHeight = 37;
constexpr int FindBarHeight = 25;
constexpr int NavigatorWidth = 116;
constexpr int ComboWidth = 110;
constexpr int ExtraWidth = 15;
} // namespace

TfrmPopupWnd::TfrmPopupWnd(TDatabase& database, QWidget* parent)
    : QDialog(parent), qryPopup(database), dspPopup(&qryPopup), dtsPopup(&cdsPopup)
{
    setObjectName(QStringLiteral("frmPopupWnd"));
    setWindowTitle(QStringLiteral("코드검색"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(ScreenFont());
    resize(239, 413);
    cdsPopup.SetProvider(&dspPopup);
    cdsPopup.SetReadOnly(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* toolbar = new QWidget(this);
    toolbar->setFixedHeight(ToolbarHeight);
    auto* bar = new QHBoxLayout(toolbar);
    bar->setContentsMargins(2, 2, 2, 2);
    bar->setSpacing(1);
    BuildToolbar(bar);
    layout->addWidget(toolbar);

    auto* find = new QWidget(this);
    find->setFixedHeight(FindBarHeight);
    auto* findBar = new QHBoxLayout(find);
    findBar->setContentsMargins(0, 0, 0, 0);
    findBar->setSpacing(0);
    ComboBox = new QComboBox(find);
    ComboBox->setObjectName(QStringLiteral("ComboBox"));
    ComboBox->setFixedWidth(ComboWidth);
    Edit = new QLineEdit(find);
    Edit->setObjectName(QStringLiteral("Edit"));
    findBar->addWidget(ComboBox);
    findBar->addWidget(Edit);
    findBar->addStretch(1);
    layout->addWidget(find);

    DBGrid = new TwDBGrid(this);
    DBGrid->setObjectName(QStringLiteral("DBGrid"));
    DBGrid->SetOptions(wgoArrowMove | wgoColSizing | wgoFocusRect | wgoRowSelect | wgoAlwaysShowSelection);
    DBGrid->Headers()->SetColHeight(21);
    DBGrid->SetDataSource(&dtsPopup);
    DBGrid->OnDblClick = [this](QObject*) { Pick(); };
    layout->addWidget(DBGrid, 1);

    StatusBar = new TStatusBar(1, this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->SetPanelWidth(0, 50);
    layout->addWidget(StatusBar);

    for (QWidget* w : {static_cast<QWidget*>(Edit), static_cast<QWidget*>(ComboBox), static_cast<QWidget*>(DBGrid)})
        w->installEventFilter(this);
    cdsPopup.AfterOpen = [this](TwClientDataSet*) { cdsPopupAfterOpen(); };
}

TfrmPopupWnd::~TfrmPopupWnd()
{
    DBGrid->SetDataSource(nullptr);
}

QToolButton* TfrmPopupWnd::ToolButton(const QString& name, const QString& text, const QString& hint)
{
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void TfrmPopupWnd::BuildToolbar(QHBoxLayout* bar)
{
    auto* navigator = new QWidget(this);
    navigator->setObjectName(QStringLiteral("DBNavigator"));
    navigator->setFixedWidth(NavigatorWidth);
    auto* nav = new QHBoxLayout(navigator);
    nav->setContentsMargins(0, 0, 0, 0);
    nav->setSpacing(0);
    NavFirst = ToolButton(QStringLiteral("NavFirst"), QStringLiteral("|◀"), QString());
    NavPrior = ToolButton(QStringLiteral("NavPrior"), QStringLiteral("◀"), QString());
    NavNext = ToolButton(QStringLiteral("NavNext"), QStringLiteral("▶"), QString());
    NavLast = ToolButton(QStringLiteral("NavLast"), QStringLiteral("▶|"), QString());
    for (QToolButton* b : {NavFirst, NavPrior, NavNext, NavLast}) {
        b->setParent(navigator);
        b->setFixedWidth(NavigatorWidth / 4);
        nav->addWidget(b);
    }
    auto move = [this](void (TwClientDataSet::*step)()) {
        return [this, step] { Guard([this, step] { if (cdsPopup.Active()) (cdsPopup.*step)(); }); };
    };
    connect(NavFirst, &QToolButton::clicked, this, move(&TwClientDataSet::First));
    connect(NavPrior, &QToolButton::clicked, this, move(&TwClientDataSet::Prior));
    connect(NavNext, &QToolButton::clicked, this, move(&TwClientDataSet::Next));
    connect(NavLast, &QToolButton::clicked, this, move(&TwClientDataSet::Last));
    bar->addWidget(navigator);

    SpeedButtonOk = ToolButton(QStringLiteral("SpeedButtonOk"), QStringLiteral("확인"), QStringLiteral("확인 Enter"));
    SpeedButtonOk->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    SpeedButtonCancel =
        ToolButton(QStringLiteral("SpeedButtonCancel"), QStringLiteral("취소"), QStringLiteral("취소 Esc"));
    SpeedButtonCancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    SpeedButtonRetrieve =
        ToolButton(QStringLiteral("SpeedButtonRetrieve"), QStringLiteral("조회"), QStringLiteral("조회 Ctrl+A"));
    SpeedButtonRetrieve->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    SpeedButtonRetrieve->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    for (QToolButton* b : {SpeedButtonOk, SpeedButtonCancel, SpeedButtonRetrieve})
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->addWidget(SpeedButtonOk);
    bar->addWidget(SpeedButtonCancel);
    bar->addStretch(1);
    bar->addWidget(SpeedButtonRetrieve);
    connect(SpeedButtonOk, &QToolButton::clicked, this, [this] { Pick(); });
    connect(SpeedButtonCancel, &QToolButton::clicked, this, &QDialog::reject);
    connect(SpeedButtonRetrieve, &QToolButton::clicked, this, [this] { Guard([this] { Refine(); }); });
}

void TfrmPopupWnd::Guard(const std::function<void()>& action)
{
    RunCommand(action);
}

void TfrmPopupWnd::BindParams()
{
    for (int p = 0; p < qryPopup.ParamCount(); ++p) {
        TParam& param = qryPopup.Params(p);
        const auto found = m_paramValues.constFind(param.Name().toUpper());
        if (found != m_paramValues.constEnd())
            param.SetAsString(found.value());
    }
}

void TfrmPopupWnd::OpenStatement(const QStringList& lines)
{
    cdsPopup.Close();
    qryPopup.Close();
    qryPopup.SQL() = lines;
    BindParams();
    qryPopup.Open();
    cdsPopup.Open();
}

// Titles and widths by position; the find list offers every column.
void TfrmPopupWnd::cdsPopupAfterOpen()
{
    DBGrid->BeginUpdate();
    DBGrid->Columns()->Clear();
    ComboBox->clear();
    const int digit = DBGrid->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (int i = 0; i < cdsPopup.FieldCount(); ++i) {
        TwDataField* field = cdsPopup.Fields(i);
        if (i < m_titles.size())
            field->SetDisplayLabel(m_titles.at(i));
        auto* column = static_cast<TwDBColumn*>(DBGrid->Columns()->Add());
        column->SetFieldName(field->FieldName());
        column->Title()->SetCaption(field->DisplayLabel());
        const bool hasWidth = i < m_widths.size();
        const int chars = hasWidth ? m_widths.at(i).trimmed().toInt() : field->DisplayWidth();
        column->SetWidth(qMax(1, chars) * digit + 4);
        column->SetVisible(m_widths.isEmpty() || (hasWidth && chars > 0));
        ComboBox->addItem(field->DisplayLabel(), field->FieldName());
    }
    DBGrid->EndUpdate(true);
    if (ComboBox->currentIndex() < 0 && ComboBox->count() > 0)
        ComboBox->setCurrentIndex(0);
}

void TfrmPopupWnd::Refine()
{
    const QString field = ComboBox->currentData().toString();
    if (field.isEmpty())
        return;
    const int chosen = ComboBox->currentIndex();
    OpenStatement(PopupStatement::Refined(m_base, field, Edit->text()));
    ComboBox->setCurrentIndex(chosen);
}

QStringList TfrmPopupWnd::CurrentValues() const
{
    QStringList values;
    if (!cdsPopup.Active() || cdsPopup.IsEmpty())
        return values;
    for (int i = 0; i < cdsPopup.FieldCount(); ++i) {
        const QString text = cdsPopup.Fields(i)->AsString();
        values << (text.isEmpty() ? QStringLiteral(" ") : text);
    }
    return values;
}

void TfrmPopupWnd::FitWidth()
{
    int columns = 0;
    for (int c = 0; c < DBGrid->Columns()->Count(); ++c)
        if (DBGrid->Columns()->Items(c)->Visible())
            columns += DBGrid->Columns()->Items(c)->Width();
    const int needed = 2 * style()->pixelMetric(QStyle::PM_ScrollBarExtent) + columns + DBGrid->IndicatorWidth()
                       + ExtraWidth;
    if (width() < needed)
        resize(needed, height());
    Edit->setFixedWidth(qMax(40, width() - ComboWidth));
}

void TfrmPopupWnd::Pick()
{
    if (cdsPopup.Active() && !cdsPopup.IsEmpty())
        accept();
}

bool TfrmPopupWnd::EditKey(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: Guard([this] { Refine(); }); return true;
    case Qt::Key_Escape: reject(); return true;
    case Qt::Key_Left: ComboBox->setFocus(); return true;
    case Qt::Key_Down: DBGrid->setFocus(); return true;
    default: return false;
    }
}

bool TfrmPopupWnd::ComboKey(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: Pick(); return true;
    case Qt::Key_Escape: reject(); return true;
    case Qt::Key_Right: Edit->setFocus(); return true;
    default: return false;
    }
}

bool TfrmPopupWnd::GridKey(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: Pick(); return true;
    case Qt::Key_Escape: reject(); return true;
    default: return false;
    }
}

bool TfrmPopupWnd::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* press = static_cast<QKeyEvent*>(event);
        const int key = press->key();
        if (key == Qt::Key_A && press->modifiers() == Qt::ControlModifier) {
            Guard([this] { Refine(); });
            return true;
        }
        if (watched == Edit && EditKey(key))
            return true;
        if (watched == ComboBox && ComboKey(key))
            return true;
        if (watched == DBGrid && GridKey(key))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}
