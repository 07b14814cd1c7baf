#pragma once

#include "results/export_rules.h"

#include <QString>

class QWidget;

namespace pellomar {

class ResultListModel;

// How an export went.
struct ExportReport {
    bool done = false; // a file was written
    QString path;
    ExportFormat format = ExportFormat::Csv;
    int written = 0;
    int skipped = 0;
    QString error; // why no file was written; "" when the user cancelled or there was nothing
};

// "Export results…": asks for a file in the Save As dialog and writes the rows the list
// shows, in their order on screen, as CSV, GPX or KML by the file's extension (or the chosen
// filter when the name has none). Asks before replacing a file, writes atomically, and tells
// the user what was written, what was left out, or why it failed.
ExportReport exportResults(QWidget *parent, const ResultListModel &model);

// The Save As dialog's filters, one per format.
QString exportFileFilter();

} // namespace pellomar
