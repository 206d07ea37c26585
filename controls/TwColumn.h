#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "controls/TwColumnListOption.h"
#include "controls/TwTypes.h"

class TwColumnFooter;
class TwColumnTitle;
class TwCustomGrid;
class TwGroup;

// One column of a grid: look of its data cells, its title and footer, its
// value list, its visibility and its place in the flat layout and in group
// mode. Each column keeps two widths, one per layout; `Width` is the current
// layout's.
class TwColumn
{
public:
    using FooterFactory = std::function<std::unique_ptr<TwColumnFooter>(TwColumn*)>;

    explicit TwColumn(TwCustomGrid* grid, const FooterFactory& footer = {});
    virtual ~TwColumn();
    TwColumn(const TwColumn&) = delete;
    TwColumn& operator=(const TwColumn&) = delete;

    TwCustomGrid* Grid() const { return m_grid; }
    int Index() const { return m_index; }
    TwColumnTitle* Title() const { return m_title.get(); }
    TwColumnFooter* Footer() const { return m_footer.get(); }

    // Visibility and display order.
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    int VisibleIndex() const;
    // Moves the column to visible position `position`; -1 or less hides it.
    void SetVisibleIndex(int position);

    // Widths: the current layout's (minimum 4) and the two stored ones.
    int Width() const;
    void SetWidth(int value);
    int ColWidth() const { return m_colWidth; }
    void SetColWidth(int value) { m_colWidth = qMax(4, value); }
    int GrpWidth() const { return m_grpWidth; }
    void SetGrpWidth(int value) { m_grpWidth = qMax(4, value); }

    // Place in group mode.
    int Group() const { return m_group; }
    void SetGroup(int value);
    int Level() const { return m_level; }
    void SetLevel(int value);
    int LevelIndex() const { return m_levelIndex; }
    void SetLevelIndex(int value);
    TwGroup* GroupObject() const;
    // The weight of the column's level in its group.
    int Weight() const;
    void SetWeight(int value);

    // Data-cell look.
    Qt::Alignment Alignment() const;
    void SetAlignment(Qt::Alignment value);
    QFont Font() const;
    void SetFont(const QFont& value);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value) { m_autoSize = value; Changed(); }
    TwEditCharCase CharCase() const { return m_charCase; }
    void SetCharCase(TwEditCharCase value) { m_charCase = value; }
    QColor Color() const { return m_color; }
    void SetColor(const QColor& value) { m_color = value; Changed(); }
    bool Ctl3D() const { return m_ctl3D; }
    void SetCtl3D(bool value) { m_ctl3D = value; Changed(); }
    TwEditBorderStyle EditBorder() const { return m_editBorder; }
    void SetEditBorder(TwEditBorderStyle value) { m_editBorder = value; }
    bool EditButton() const { return m_editButton; }
    void SetEditButton(bool value) { m_editButton = value; Changed(); }
    bool EditColor() const { return m_editColor; }
    void SetEditColor(bool value) { m_editColor = value; }
    QString EditFormat() const { return m_editFormat; }
    void SetEditFormat(const QString& value) { m_editFormat = value; Changed(); }
    TwEditStyle EditStyle() const { return m_editStyle; }
    void SetEditStyle(TwEditStyle value) { m_editStyle = value; }
    bool EqualBlank() const { return m_equalBlank; }
    void SetEqualBlank(bool value) { m_equalBlank = value; Changed(); }
    TwFitStyle FitStyle() const { return m_fitStyle; }
    void SetFitStyle(TwFitStyle value) { m_fitStyle = value; Changed(); }
    TwImageLayout ImageLayout() const { return m_imageLayout; }
    void SetImageLayout(TwImageLayout value) { m_imageLayout = value; Changed(); }
    TwTextLayout Layout() const { return m_layout; }
    void SetLayout(TwTextLayout value) { m_layout = value; Changed(); }
    int MarginLeft() const { return m_marginLeft; }
    void SetMarginLeft(int value) { m_marginLeft = quint8(qBound(0, value, 255)); Changed(); }
    int MarginTop() const { return m_marginTop; }
    void SetMarginTop(int value) { m_marginTop = quint8(qBound(0, value, 255)); Changed(); }
    int MarginRight() const { return m_marginRight; }
    void SetMarginRight(int value) { m_marginRight = quint8(qBound(0, value, 255)); Changed(); }
    int MarginBottom() const { return m_marginBottom; }
    void SetMarginBottom(int value) { m_marginBottom = quint8(qBound(0, value, 255)); Changed(); }
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int value) { m_maxLength = value; }
    QString MaxValue() const { return m_maxValue; }
    void SetMaxValue(const QString& value) { m_maxValue = value; }
    QString MinValue() const { return m_minValue; }
    void SetMinValue(const QString& value) { m_minValue = value; }
    int RadioColumns() const { return m_radioColumns; }
    void SetRadioColumns(int value) { m_radioColumns = value; }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value) { m_readOnly = value; }
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value) { m_transparent = value; Changed(); }
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value) { m_wordWrap = value; Changed(); }

    // Value list: stored `Values` paired with display `Items`.
    const QStringList& Items() const { return m_items; }
    void SetItems(const QStringList& value) { m_items = value; Changed(); }
    const QStringList& Values() const { return m_values; }
    void SetValues(const QStringList& value) { m_values = value; Changed(); }
    TwColumnListOption& ListOption() { return m_listOption; }
    const TwColumnListOption& ListOption() const { return m_listOption; }
    // True when `Items` and `Values` are meant as display/value pairs.
    bool HasItemPairs() const;
    // The text standing for False/True: Values[0]/Values[1] when there are
    // two or more values, else "False"/"True".
    QString BoolText(bool value) const;

    // Whether the column may take the current cell.
    virtual bool CanFocus() const { return !m_readOnly; }

protected:
    virtual bool IsNumeric() const { return false; }
    virtual bool IsPicture() const { return false; }
    void Changed();

private:
    friend class TwColumns;
    friend class TwGroup;
    friend class TwGroups;

    TwCustomGrid* m_grid;
    int m_index = -1;
    std::unique_ptr<TwColumnTitle> m_title;
    std::unique_ptr<TwColumnFooter> m_footer;

    int m_rememberedVisibleIndex = -1;
    int m_colWidth = 64;
    int m_grpWidth = 64;
    int m_previousGrpWidth = 64;
    bool m_visible = true;
    int m_group = -1;
    int m_level = 0;
    int m_levelIndex = 0;

    bool m_alignmentAssigned = false;
    Qt::Alignment m_alignment;
    bool m_fontAssigned = false;
    QFont m_font;
    bool m_autoSize = true;
    TwEditCharCase m_charCase = ecNormal;
    QColor m_color = Qt::white;
    bool m_ctl3D = true;
    TwEditBorderStyle m_editBorder = webSingle;
    bool m_editButton = false;
    bool m_editColor = false;
    QString m_editFormat;
    TwEditStyle m_editStyle = wesDefault;
    bool m_equalBlank = false;
    TwFitStyle m_fitStyle = wfitNone;
    TwImageLayout m_imageLayout = wimgNone;
    TwTextLayout m_layout = tlCenter;
    quint8 m_marginLeft = 1;
    quint8 m_marginTop = 1;
    quint8 m_marginRight = 1;
    quint8 m_marginBottom = 1;
    int m_maxLength = 0;
    QString m_maxValue;
    QString m_minValue;
    int m_radioColumns = 1;
    bool m_readOnly = false;
    bool m_transparent = false;
    bool m_wordWrap = false;
    QStringList m_items;
    QStringList m_values;
    TwColumnListOption m_listOption;
};
