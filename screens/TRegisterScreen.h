#pragma once

#include <QString>
#include <utility>
#include <vector>

#include "framework/TfrmZZI070.h"

class QComboBox;
class QGridLayout;
class QLineEdit;

// A register of one master table: the list on the right, an editor panel on
// the left that shows the current row and writes every change into it. New
// (F4) starts an empty row; a row saved without a code is given the next free
// one by the server, so a save searches again and the list shows it.
class TRegisterScreen : public TfrmZZI070
{
    Q_OBJECT

public:
    explicit TRegisterScreen(QWidget* parent = nullptr);

    void bbtSearchClick() override;
    void bbtAddClick() override;
    void bbtSaveClick() override;
    // Shows the current grid row in the panel (empty when there is none).
    void LoadPanel();

protected:
    // The panel's layout, `width` pixels wide on the left of the grid.
    void BuildPanelFrame(int width);
    // A caption and its editor on the next line of the panel. With a column
    // the editor mirrors that grid column; without, it is the screen's own.
    void AddLine(const QString& caption, QWidget* editor, int column = -1);
    // A box that shows a column (the code the server gives) and is never typed into.
    QLineEdit* ShownBox(const QString& name, int column);
    // A "Y"/"N" list.
    QComboBox* YesNoBox(const QString& name);
    // Binds the search conditions to qryQuery before each search.
    virtual void BindSearch() = 0;

private:
    void EditorChanged(QWidget* editor, int column);
    static QString EditorText(const QWidget* editor);
    static void SetEditorText(QWidget* editor, const QString& text);

    QGridLayout* m_form = nullptr;
    int m_line = 0;
    std::vector<std::pair<QWidget*, int>> m_mirrored;
    bool m_loadingPanel = false;
};
