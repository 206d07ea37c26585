#pragma once

#include <QString>

// The client's three message boxes; the caption is always the application title
// and a "\r" in the text breaks the line.
void ShowInfo(const QString& text);
void ShowError(const QString& text);
bool AskYesNo(const QString& text);

// Lets the grids' own questions and error boxes use these message boxes.
void RouteGridDialogsToMessageBoxes();
