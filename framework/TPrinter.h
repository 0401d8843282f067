#pragma once

#include <QString>
#include <memory>

class QPainter;
class QPrinter;

// The process's printer object over QPrinter: the current printer (the platform's default
// until the print dialog chooses another, or a PDF file), and the job under way. Failures are
// AppError with the string table's messages.
class TPrinter {
public:
    static TPrinter& instance();

    // The current printer, chosen on first use: the platform's default printer, or failure
    // "There is no default printer currently selected".
    QPrinter& printer();
    // Makes a PDF file the current printer (also what tests print to).
    void selectPdfFile(const QString& path);
    // Drops the current printer, so the next use asks the platform again.
    void reset();

    QString title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }

    // Starts a job titled Title on the current printer: "Printing in progress" when one is
    // under way, "Printer selected is not valid" when the printer cannot print.
    QPainter& BeginDoc();
    // Ends the current page and starts the next: "Printer is not currently printing" outside
    // a job. Pending events are handled between pages, so the windows keep repainting.
    void NewPage();
    // Ends the job.
    void EndDoc();
    // Ends a job that failed, so the next one can start.
    void Abort();

    bool printing() const { return m_painter != nullptr; }
    int pageNumber() const { return m_pageNumber; }

    // Of the current printer: pixels per inch and the printable area in pixels.
    int dpiX();
    int dpiY();
    int pageWidth();
    int pageHeight();

private:
    TPrinter();
    ~TPrinter();

    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
    QString m_title;
    int m_pageNumber = 0;
};
