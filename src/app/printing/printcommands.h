// File › Print... and the Print View button: the print dialog, storing its model settings
// (recorded for undo) and running the chosen job on the program's printer.
#pragma once

#include <functional>

#include "io/publishing/printjob.h"

class IDialogService;
class QWidget;
class TModelForm;
class TMyPrintDialog;
class TSystemPrinter;

// Shows the dialog modally and gives its result; tests drive the dialog instead.
using TPrintDialogRunner = std::function<int(TMyPrintDialog& dialog)>;

// Print...: the dialog for the model, then the job chosen (OK), or only the settings (Close).
void PrintCommand(QWidget* parent, IDialogService& dialogs, TModelForm& form);
void PrintCommand(QWidget* parent, IDialogService& dialogs, TModelForm& form,
                  TSystemPrinter& printer, const TPrintDialogRunner& run);

// Print View: the current view at once with the copies and frames last chosen.
void PrintViewCommand(QWidget* parent, IDialogService& dialogs, TModelForm& form);
void PrintViewCommand(QWidget* parent, IDialogService& dialogs, TModelForm& form,
                      TSystemPrinter& printer);

// Runs a job on the printer: asks for a PDF file when the printer writes PDF files, shows
// notices and errors. True when sheets were printed.
bool RunPrintJob(QWidget* parent, IDialogService& dialogs, TModelForm& form,
                 TSystemPrinter& printer, TPrintOptions options);
