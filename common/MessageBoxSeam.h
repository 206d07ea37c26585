#pragma once

#include <QList>
#include <QString>

// Lets tests answer the client's message boxes and read back what was shown.
// Inactive in the shipped program: then every box is a real modal dialog.
class MessageBoxSeam
{
public:
    enum Kind { mbInfo, mbError, mbQuestion };

    struct Box
    {
        Kind kind;
        QString caption;
        QString text;
    };

    static void SetActive(bool active);
    static bool Active();

    // Answers for the next questions, in order; an unanswered question takes
    // its default button (Yes).
    static void QueueAnswer(bool yes);
    static QList<Box> Shown();
    static Box Last();
    static void Reset();

    // Records a box instead of showing it and returns the answer.
    static bool Record(Kind kind, const QString& caption, const QString& text);
};
