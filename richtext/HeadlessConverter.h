#pragma once

#include <QString>
#include <QStringList>

// Conversion of one document file without a window: to plain text, rich text or the printed
// pages as PDF. Every file goes through the same loading and saving code as the editor.
class HeadlessConverter {
public:
    // The target formats, as the command line names them: "txt", "rtf", "pdf".
    static QStringList formats();
    // Whether the format lays out or measures text, which needs fonts and so a (headless)
    // QGuiApplication.
    static bool needsFonts(const QString& format);
    // Converts input into output (replaced once complete); failures are AppError.
    static void convert(const QString& format, const QString& input, const QString& output);
};
