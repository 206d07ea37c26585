#pragma once

#include <QtGlobal>
#include <array>
#include <memory>
#include <vector>

class TwColumn;
class TwCustomGrid;
class TwGroupTitle;

// A group of columns in group mode. The record row is divided into `Levels`
// bands whose heights follow the level weights; each level holds its columns
// side by side, and they always fill the group's width exactly.
class TwGroup
{
public:
    static constexpr int MaxLevels = 16;

    explicit TwGroup(TwCustomGrid* grid);
    ~TwGroup();
    TwGroup(const TwGroup&) = delete;
    TwGroup& operator=(const TwGroup&) = delete;

    TwCustomGrid* Grid() const { return m_grid; }
    int Index() const { return m_index; }
    TwGroupTitle* Title() const { return m_title.get(); }

    int Levels() const { return m_levels; }
    void SetLevels(int value);
    bool NoColTitles() const { return m_noColTitles; }
    void SetNoColTitles(bool value);
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    int Weight() const { return m_weight; }
    void SetWeight(int value);
    int Width() const { return m_width; }
    void SetWidth(int value);
    // Raw level weights as saved (bytes beyond `Levels` carry no meaning).
    int Weights(int level) const { return m_weights[size_t(level)]; }
    void SetWeights(int level, int value) { m_weights[size_t(level)] = quint8(value); }
    // Level weight with bounds check, and the redistributing setter.
    int LevelWeight(int level) const;
    void SetLevelWeight(int level, int value);

    const std::vector<TwColumn*>& LevelColumns(int level) const { return m_levelColumns[size_t(level)]; }
    int WidestLevelCount() const;

    // Layout inside a record row, the header band and a footer row.
    int RowLevelTop(int level) const;
    int RowLevelHeight(int level) const;
    int TitleHeight() const;
    int HeaderLevelTop(int level) const;
    int HeaderLevelHeight(int level) const;
    int FooterLevelTop(int level, int footerHeight) const;
    int ColumnLeft(const TwColumn* column) const;
    int ColumnWidth(const TwColumn* column) const;

    // Level membership; used by TwColumn's Group/Level/LevelIndex setters.
    void Join(TwColumn* column, int level, int position);
    void Leave(TwColumn* column);
    void MoveInLevel(TwColumn* column, int position);
    // Builds the level lists from the columns' saved places, after loading.
    void AttachLoaded(TwColumn* column);

private:
    friend class TwGroups;

    int LevelTop(int level, int height, int extraPerLevel) const;
    void Renumber(int level);
    std::vector<std::pair<TwColumn*, int>> ColumnWidths() const;
    void FireColumnWidths(const std::vector<std::pair<TwColumn*, int>>& before);
    void GiveExtraToLastColumns(int skipLevel);

    TwCustomGrid* m_grid;
    int m_index = -1;
    std::unique_ptr<TwGroupTitle> m_title;
    int m_levels = 1;
    bool m_noColTitles = false;
    bool m_visible = true;
    int m_weight = 1;
    int m_width = 64;
    std::array<quint8, MaxLevels> m_weights;
    std::array<std::vector<TwColumn*>, MaxLevels> m_levelColumns;
};
