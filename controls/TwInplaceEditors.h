#pragma once

#include <memory>

#include "controls/TwInplaceEditor.h"

class QWidget;

// The in-place editor for a kind other than single-line text, or nullptr
// when this build has none for it (the grid then edits the cell as text).
std::unique_ptr<TwInplaceEditor> TwCreateInplaceEditor(TwEditKind kind, QWidget* parent);
