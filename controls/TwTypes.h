#pragma once

#include <QColor>
#include <QFlags>
#include <QtGlobal>

// Enumerations and option sets shared by the grids, their columns and editors.

// Value type of an in-memory grid column; stored as one byte.
enum TwDataType : quint8 {
    wdtString,
    wdtChar,
    wdtBool,
    wdtShort,
    wdtByte,
    wdtSmall,
    wdtWord,
    wdtLong,
    wdtFloat,
    wdtDate,
    wdtTime,
    wdtDateTime,
    wdtGraphic
};

inline bool TwIsTextType(TwDataType t) { return t == wdtString || t == wdtChar; }
inline bool TwIsNumericType(TwDataType t) { return t >= wdtShort && t <= wdtFloat; }
inline bool TwIsDateType(TwDataType t) { return t >= wdtDate && t <= wdtDateTime; }

// Change state of a stored row: two bits of its row byte.
enum TwRowState { wrsNone, wrsModified, wrsInserted, wrsDeleted };

enum TwGridState { wgsBrowse, wgsEdit, wgsInsert };

enum TwSortMark { wsmNone, wsmAsc, wsmDesc };

enum TwCellStyle { wcsNormal, wcsRaised, wcsSunken, wcsUp, wcsDown };

enum TwFitStyle { wfitNone, wfitEnd, wfitPath };

enum TwImageLayout { wimgNone, wimgAlone, wimgLeft, wimgRight, wimgTop, wimgBottom };

enum TwTextLayout { tlTop, tlCenter, tlBottom };

enum TwEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

enum TwEditBorderStyle { webNone, webSingle, webSunken };

enum TwEditStyle {
    wesDefault,
    wesText,
    wesMultiText,
    wesCheckBox,
    wesBoolean,
    wesRadioGroup,
    wesNumber,
    wesSpinEdit,
    wesDate,
    wesTime,
    wesPickList,
    wesDataList,
    wesMemo
};

enum TwMarkerStyle { wmsDefault, wmsBoolean, wmsCheckBox, wmsFlatCheckBox };

enum TwFixedOption {
    wfxColumnColor = 0x01,
    wfxEditing = 0x02,
    wfxMoving = 0x04,
    wfxSelecting = 0x08,
    wfxSizing = 0x10
};
Q_DECLARE_FLAGS(TwFixedOptions, TwFixedOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TwFixedOptions)

enum TwGridOption {
    wgoAlwaysShowEditor = 1 << 0,
    wgoAlwaysShowSelection = 1 << 1,
    wgoArrowMove = 1 << 2,
    wgoCancelOnExit = 1 << 3,
    wgoCellMoving = 1 << 4,
    wgoCellSizing = 1 << 5,
    wgoColMoving = 1 << 6,
    wgoColSizing = 1 << 7,
    wgoLevelSizing = 1 << 8,
    wgoRowSizing = 1 << 9,
    wgoConfirmDelete = 1 << 10,
    wgoDeleting = 1 << 11,
    wgoEditing = 1 << 12,
    wgoEnterToTab = 1 << 13,
    wgoFocusRect = 1 << 14,
    wgoInserting = 1 << 15,
    wgoMultiSelect = 1 << 16,
    wgoNoClickEdit = 1 << 17,
    wgoNoScroll = 1 << 18,
    wgoNullMark = 1 << 19,
    wgoRowSelect = 1 << 20,
    wgoSkipReadOnly = 1 << 21
};
Q_DECLARE_FLAGS(TwGridOptions, TwGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TwGridOptions)

// Font style set handed to the draw events of the grids.
enum TwFontStyle { fsBold = 0x1, fsItalic = 0x2, fsUnderline = 0x4, fsStrikeOut = 0x8 };
Q_DECLARE_FLAGS(TwFontStyles, TwFontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TwFontStyles)

// The system colours the grids use by name.
namespace TwColors {
inline QColor BtnFace() { return QColor(0xF0, 0xF0, 0xF0); }
inline QColor BtnShadow() { return QColor(0xA0, 0xA0, 0xA0); }
inline QColor Window() { return QColor(Qt::white); }
inline QColor Silver() { return QColor(0xC0, 0xC0, 0xC0); }
inline QColor Gray() { return QColor(0x80, 0x80, 0x80); }
} // namespace TwColors
