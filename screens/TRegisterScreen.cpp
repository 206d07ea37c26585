#include "screens/TRegisterScreen.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include "controls/TwCustomMaskEdit.h"
#include "controls/TwMemGrid.h"
#include "framework/GeneralErrorHandler.h"
#include "framework/TPanel.h"
#include "screens/PanelEditors.h"

using namespace PanelEditors;

TRegisterScreen::TRegisterScreen(QWidget* parent) : TfrmZZI070(parent)
{
    rgrGrid->OnRowChange = [this](QObject*) { LoadPanel(); };
}

void TRegisterScreen::BuildPanelFrame(int width)
{
    MoveGridToSecondPane(width);
    m_form = new QGridLayout();
    m_form->setContentsMargins(8, 10, 8, 8);
    m_form->setHorizontalSpacing(6);
    m_form->setVerticalSpacing(6);
    m_form->setColumnStretch(1, 1);
    auto* pane = static_cast<QVBoxLayout*>(Panel1->layout());
    pane->addLayout(m_form);
    pane->addStretch(1);
}

void TRegisterScreen::AddLine(const QString& caption, QWidget* editor, int column)
{
    editor->setParent(Panel1);
    m_form->addWidget(Caption(caption, Panel1), m_line, 0);
    auto* row = new QHBoxLayout();
    row->setSpacing(2);
    row->addWidget(editor);
    if (editor->maximumWidth() < QWIDGETSIZE_MAX)
        row->addStretch(1);
    m_form->addLayout(row, m_line++, 1);
    if (column < 0)
        return;
    m_mirrored.emplace_back(editor, column);
    WireEditor(editor);
    auto changed = [this, editor, column] { RunCommand([&] { EditorChanged(editor, column); }); };
    if (auto* list = qobject_cast<QComboBox*>(editor))
        connect(list, &QComboBox::currentTextChanged, this, changed);
    else if (auto* edit = qobject_cast<QLineEdit*>(editor))
        connect(edit, &QLineEdit::textChanged, this, changed);
}

// The box sits in a container of its own that stays disabled, so that edit
// mode, which enables every data control, leaves it shown only.
QLineEdit* TRegisterScreen::ShownBox(const QString& name, int column)
{
    auto* holder = new QWidget(Panel1);
    holder->setEnabled(false);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    QLineEdit* box = Edit(name, holder);
    QPalette green = box->palette();
    green.setColor(QPalette::Disabled, QPalette::Base, MoneyGreen());
    green.setColor(QPalette::Disabled, QPalette::Text, green.color(QPalette::Active, QPalette::Text));
    box->setPalette(green);
    box->setPlaceholderText(QStringLiteral("저장할 때 부여"));
    layout->addWidget(box);
    holder->setFixedWidth(110);
    m_mirrored.emplace_back(box, column);
    return box;
}

QComboBox* TRegisterScreen::YesNoBox(const QString& name)
{
    auto* list = new QComboBox(Panel1);
    list->setObjectName(name);
    list->addItems({QStringLiteral("Y"), QStringLiteral("N")});
    list->setFixedWidth(60);
    return list;
}

QString TRegisterScreen::EditorText(const QWidget* editor)
{
    if (auto* mask = qobject_cast<const TwCustomMaskEdit*>(editor))
        return mask->Text();
    if (auto* edit = qobject_cast<const QLineEdit*>(editor))
        return edit->text();
    if (auto* list = qobject_cast<const QComboBox*>(editor))
        return list->currentText();
    return QString();
}

void TRegisterScreen::SetEditorText(QWidget* editor, const QString& text)
{
    if (auto* mask = qobject_cast<TwCustomMaskEdit*>(editor))
        mask->SetText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(editor))
        edit->setText(text);
    else if (auto* list = qobject_cast<QComboBox*>(editor))
        list->setCurrentText(text == QLatin1String("N") ? QStringLiteral("N") : QStringLiteral("Y"));
}

// Typing into the panel of an empty list starts a new row (the grid's Edit
// inserts one), so the first tenant of a new office needs no extra key.
void TRegisterScreen::EditorChanged(QWidget* editor, int column)
{
    if (m_loadingPanel || SearchMode())
        return;
    if (!rgrGrid->Edit())
        return;
    rgrGrid->Cells(column, rgrGrid->Row()).SetAsString(EditorText(editor));
}

void TRegisterScreen::LoadPanel()
{
    const QScopedValueRollback<bool> loading(m_loadingPanel, true);
    const bool none = rgrGrid->RowCount() == 0;
    for (const auto& [editor, column] : m_mirrored)
        SetEditorText(editor, none ? QString() : rgrGrid->Cells(column, rgrGrid->Row()).AsString());
}

void TRegisterScreen::bbtSearchClick()
{
    BindSearch();
    TfrmZZI070::bbtSearchClick();
    LoadPanel();
}

void TRegisterScreen::bbtAddClick()
{
    TfrmZZI070::bbtAddClick();
    LoadPanel();
    for (const auto& [editor, column] : m_mirrored)
        if (editor->isEnabled() && editor->isEnabledTo(this)) {
            editor->setFocus();
            break;
        }
}

void TRegisterScreen::bbtSaveClick()
{
    TfrmZZI070::bbtSaveClick();
    SetSearchMode(true);
    bbtSearchClick();
    SetStatusText(QStringLiteral("자료를 저장했습니다."));
}
