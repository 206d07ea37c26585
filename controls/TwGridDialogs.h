#pragma once

#include <QString>
#include <functional>

// The questions and error boxes the grids show from their own key and mouse
// handling. Controls know nothing of the client's message boxes, so whoever
// owns those (the client at start-up, a test program) replaces these.
class TwGridDialogs
{
public:
    // Yes/No with No as the default button; true for Yes.
    using AskFunction = std::function<bool(const QString& text, const QString& caption)>;
    using ErrorFunction = std::function<void(const QString& text)>;

    static bool AskYesNo(const QString& text, const QString& caption);
    static void ShowError(const QString& text);

    // An empty function restores the plain Qt message box.
    static void SetAskYesNo(AskFunction ask);
    static void SetShowError(ErrorFunction show);
};
