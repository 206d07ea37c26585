#pragma once

class QApplication;

// The program's start: fonts, screen registry, data module, main window, event
// loop. Returns the process exit code; 1 when start-up failed.
//
// Two environment variables serve measurement and documentation runs:
//   SELVAR_EXIT_AFTER_PAINT=1   end as soon as the main window has painted
//   SELVAR_SCREENSHOT=file.png  save the screen with the first menu dropped
//                               down, then end
class ClientProgram
{
public:
    static int Run(QApplication& app);
    // What every start needs before the data module: fonts, the grids' message
    // boxes, the screens and the stored procedures the embedded engine runs.
    static void Prepare();
};
