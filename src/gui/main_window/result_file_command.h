// The two save commands of the result files: save dialog, overwrite question, form and write.
#pragma once

#include <QString>
#include <string>

#include "core/analysis_state.h"

class QWidget;

namespace qlnx {

class UserDialogs;

enum class ResultFileKind { ModifiedLoop, AnalysisResults, Skeleton };

// What the window's one save dialog keeps between showings: the folder it first opens in and
// the file type chosen last (1-based; 1 text, 2 CSV), which is selected again next time.
struct ResultSaveDialog {
    QString InitialFolder;
    int FilterIndex = 1;
};

// Runs Export Modified Loop / Export Analysis Results (and btn7) / Export Skeleton Curve for
// the window: offers ProposedResultName of state.FileNameText in the save dialog, writes the chosen
// name plus
// ".txt" or ".csv" in the form of the chosen file type, after a Yes to "<name> already
// exists..." when that file exists and the dialog did not ask about it. Cancel or No writes
// nothing. Throws FileError when writing fails (call it inside the window's error guard).
// Returns the path written, or an empty text when nothing was written.
QString SaveResultFile(QWidget* parent, UserDialogs& dialogs, const AnalysisState& state,
                       ResultFileKind kind, ResultSaveDialog& dialog);

// The same with a dialog that starts at the text type every time.
QString SaveResultFile(QWidget* parent, UserDialogs& dialogs, const AnalysisState& state,
                       ResultFileKind kind, const QString& initialFolder);

// The save dialog's file types: "Text files (*.txt)" and " CSV files (*.csv)" (the second
// description begins with a blank).
QString ResultFileFilter();

// True when written (file-system bytes) exists and is not the file the save dialog named:
// the dialog asked before replacing that one only, so the command must ask itself.
bool ReplacesUnconfirmedFile(const std::string& dialogName, const std::string& written);

// Title and text of the question before replacing a file the dialog did not ask about.
inline constexpr const char* kReplaceQuestionTitle = "Confirm Save As";
QString ReplaceQuestionText(const QString& fileName);

}  // namespace qlnx
