#pragma once

#include <QStringList>

#include "shell/TfrmZZMain.h"

// The main window of this program: its caption and its table of program IDs.
// The screen class behind an ID comes from the screen registry; an ID outside
// the table, or one whose screen is not registered, opens nothing.
class TfrmN0Main : public TfrmZZMain
{
    Q_OBJECT

public:
    explicit TfrmN0Main(TfrmZZD000* dataModule, QWidget* parent = nullptr);

    static const QStringList& ProgramIds();

protected:
    QWidget* CreateScreen(const QString& programId) override;
};
