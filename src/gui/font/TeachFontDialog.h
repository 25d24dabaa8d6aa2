#pragma once

#include "FontTeaching.h"
#include "Session.h"
#include "SessionTypes.h"

#include <QDialog>

#include <vector>

class QPlainTextEdit;
class QTableWidget;

namespace kestrova {

// "Teach Font…": the captured lobby beside its visible rows and seat lines as
// the glyph tables read them now ("?" for a glyph they do not know). The user
// corrects the cells and learns; the rows are then read again with what was
// learnt, every cell still read otherwise than typed is marked, and a report
// says what was learnt, what did not fit and which characters are still missing.
class TeachFontDialog final : public QDialog {
    Q_OBJECT

public:
    TeachFontDialog(Session& session, Session::LobbyCapture capture, QWidget* parent = nullptr);

    QTableWidget* rowsTable() const { return rows_; }
    QTableWidget* seatsTable() const { return seats_; }
    QString report() const;

public slots:
    void learn();
    // "Find Font": the installed font the capture is drawn in, found on the worker.
    void findFont();

public:
    // The search ended: the cells are read with the font found, and those it
    // still reads with "?" are marked.
    void fontSearched(const job_event::FontSearched& searched);

private:
    // Fills the cells with what the tables read; with the typed texts, keeps
    // those and marks the cells read otherwise. Returns the cells marked.
    int readCells(const LobbyTexts* typed = nullptr);

    Session& session_;
    Session::LobbyCapture capture_;
    QTableWidget* rows_ = nullptr;
    QTableWidget* seats_ = nullptr;
    QPlainTextEdit* report_ = nullptr;
};

}  // namespace kestrova
