// Game, "Statistics": the figures of the record across runs, the win rate over time, where the
// file is, and the buttons to clear the record (asked twice) and to export it as CSV.
#pragma once

#include "record/record_statistics.h"

#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QTextBrowser;

namespace corvane::ui {

class RecordReader;
class RecordWriter;
class WinRatePlot;

class StatisticsWindow final : public QDialog {
    Q_OBJECT
public:
    // `writer` may be null when nothing is recorded; `path` is where the file is (or would be).
    // The figures are read on this thread through a connection of the window's own, again each
    // time the writer has written.
    StatisticsWindow(RecordWriter* writer, const QString& path, bool recording,
                     QWidget* parent = nullptr);
    ~StatisticsWindow() override;

    const RecordStatistics& statistics() const { return m_statistics; }
    QTextBrowser* figures() const { return m_figures; }
    QLabel* fileLabel() const { return m_file; }
    QPushButton* clearButton() const { return m_clear; }
    QPushButton* exportButton() const { return m_export; }
    // The question now asked before clearing (the first or the second), if any.
    QMessageBox* question() const { return m_question; }
    // Writes the CSV to `file`; false when it could not.
    bool exportTo(const QString& file);
    // Reads the figures again.
    void reload();

    static constexpr const char* FirstQuestion =
        QT_TRANSLATE_NOOP("corvane::ui::StatisticsWindow",
                          "Clear the whole record of games and hands? This cannot be undone.");
    static constexpr const char* SecondQuestion = QT_TRANSLATE_NOOP(
        "corvane::ui::StatisticsWindow", "Are you sure? Every recorded game will be gone.");

private:
    void askToClear();
    void ask(const char* text, std::function<void()> yes);
    void showFigures();

    RecordWriter* m_writer;
    QString m_path;
    std::unique_ptr<RecordReader> m_reader;
    RecordStatistics m_statistics;
    QTextBrowser* m_figures;
    WinRatePlot* m_plot;
    QLabel* m_file;
    QPushButton* m_clear;
    QPushButton* m_export;
    QPointer<QMessageBox> m_question;
};

} // namespace corvane::ui
