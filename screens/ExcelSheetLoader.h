#pragma once

#include <QString>
#include <functional>

class QFileDialog;
class QLabel;
class QProgressBar;
class TwMemGrid;

// Reads the active sheet of a spreadsheet file into a grid, as the import
// screens load their rows: sheet row r goes to grid line r - 1, sheet column
// j to grid column j (column 0 stays empty), every cell as its text.
namespace ExcelSheetLoader {

// Chooses the file instead of running the open dialog: gives the chosen path,
// or an empty text for a cancelled choice. Tests set one; an empty function
// brings the dialog back.
using TFileChooser = std::function<QString()>;
void SetFileChooser(const TFileChooser& chooser);

// Runs the open dialog and reads the chosen file: rows 1 to the last used row
// of the active sheet, columns 1 to `columns`. The progress bar follows the
// rows; the label then tells the file name and the number of lines. A cell
// text longer than its grid column holds is refused with the sheet row and
// column rather than cut. The file is read on a worker thread and the grid
// filled in steps, so the window repaints and takes input meanwhile: the
// caller keeps its commands and its closing locked until this returns.
// Returns the file's name, or an empty text when no file was chosen. Throws
// EExcelError when the file cannot be read; the grid then keeps what was filled.
QString LoadExcelFile(TwMemGrid* grid, QFileDialog* dialog, QLabel* label, QProgressBar* bar, int columns);

} // namespace ExcelSheetLoader
