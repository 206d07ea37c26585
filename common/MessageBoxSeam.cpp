#include "common/MessageBoxSeam.h"

#include <QQueue>

namespace {
struct SeamState
{
    bool active = false;
    QQueue<bool> answers;
    QList<MessageBoxSeam::Box> shown;
};

SeamState& State()
{
    static SeamState state;
    return state;
}
} // namespace

void MessageBoxSeam::SetActive(bool active)
{
    State().active = active;
}

bool MessageBoxSeam::Active()
{
    return State().active;
}

void MessageBoxSeam::QueueAnswer(bool yes)
{
    State().answers.enqueue(yes);
}

QList<MessageBoxSeam::Box> MessageBoxSeam::Shown()
{
    return State().shown;
}

MessageBoxSeam::Box MessageBoxSeam::Last()
{
    return State().shown.isEmpty() ? Box{mbInfo, {}, {}} : State().shown.last();
}

void MessageBoxSeam::Reset()
{
    State().answers.clear();
    State().shown.clear();
}

bool MessageBoxSeam::Record(Kind kind, const QString& caption, const QString& text)
{
    State().shown.append({kind, caption, text});
    if (kind != mbQuestion)
        return true;
    return State().answers.isEmpty() ? true : State().answers.dequeue();
}
