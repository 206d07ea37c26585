#include "framework/TfrmZZI010.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>

#include "controls/TwCustomGrid.h"
#include "framework/TPanel.h"

namespace {
constexpr int DataSideDepth = 6;
} // namespace

TfrmZZI010::TfrmZZI010(QWidget* parent) : TfrmZZI000(parent)
{
    setObjectName(QStringLiteral("frmZZI010"));
    panSearch = BuildSearchPanel(&bbtSearch);

    bbtSave = NewButton(QStringLiteral("저장(F2)"), QStringLiteral("bbtSave"), 80, 25);
    AddButton(bbtSave);
    bbtCancel = NewButton(QStringLiteral("취소(F8)"), QStringLiteral("bbtCancel"), 80, 25);
    AddButton(bbtCancel);

    ConnectButton(bbtSearch, [this] { bbtSearchClick(); });
    ConnectButton(bbtSave, [this] { bbtSaveClick(); });
    ConnectButton(bbtCancel, [this] { bbtCancelClick(); });
    AddHotkey(QStringLiteral("조회"), Qt::Key_F3, [this] { bbtSearchClick(); });
    AddHotkey(QStringLiteral("저장"), Qt::Key_F2, [this] { bbtSaveClick(); });
    AddHotkey(QStringLiteral("취소"), Qt::Key_F8, [this] { bbtCancelClick(); });
}

void TfrmZZI010::FormCreate()
{
    TfrmZZI000::FormCreate();
    SetSearchMode(true);
}

void TfrmZZI010::bbtSearchClick()
{
    CheckAvailable(bbtSearch);
    EnterEditMode();
}

void TfrmZZI010::bbtSaveClick()
{
    CheckAvailable(bbtSave);
}

void TfrmZZI010::bbtCancelClick()
{
    CheckAvailable(bbtCancel);
    SetSearchMode(true);
}

// A control belongs to the data side when panMain is among its first six
// ancestors, or when it sits directly on the button strip.
bool TfrmZZI010::IsDataSide(const QWidget* control) const
{
    if (control->parentWidget() == panButtons)
        return true;
    const QWidget* ancestor = control->parentWidget();
    for (int level = 1; ancestor && level <= DataSideDepth; ++level, ancestor = ancestor->parentWidget())
        if (ancestor == panMain)
            return true;
    return false;
}

// The screen's own controls: named widgets other than labels, found through
// every container; a grid's inner parts are the grid's business.
void TfrmZZI010::CollectControls(QWidget* container, QList<QWidget*>& controls) const
{
    for (QObject* child : container->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow())
            continue;
        const QString name = widget->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && !qobject_cast<QLabel*>(widget))
            controls.append(widget);
        if (!qobject_cast<TwCustomGrid*>(widget))
            CollectControls(widget, controls);
    }
}

void TfrmZZI010::SetSearchMode(bool searchMode)
{
    m_searchMode = searchMode;
    QList<QWidget*> controls;
    CollectControls(this, controls);
    for (QWidget* control : controls)
        control->setEnabled(IsDataSide(control) ? !searchMode : searchMode);
    bbtClose->setEnabled(true);
    panMain->setEnabled(true);
    panButtons->setEnabled(true);
    if (searchMode && isVisible()) {
        if (auto* search = findChild<QWidget*>(QStringLiteral("panSearch"))) {
            search->setFocus();
            SendKey(search, Qt::Key_Tab);
        }
    }
}

void TfrmZZI010::EnterEditMode()
{
    SetSearchMode(false);
    panMain->setFocus();
}
