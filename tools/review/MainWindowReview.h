#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

class ReviewSheet;
class TMainForm;

// The main window's part of the review: the window with a formatted document in one language,
// with the texts that only show as tooltips or in the caption; and, once, every image button in
// its four looks, every check box and both pickers with their lists open.
class MainWindowReview {
public:
    // The caption and the hints of the window's controls: what a language changes.
    static QStringList texts(const TMainForm& window);
    // Opens the document, selects a word of a bold bulleted paragraph (so the check boxes and the
    // ruler show its formatting) and adds the window and its texts.
    static void addWindow(ReviewSheet& sheet, TMainForm& window, const QString& language,
                          const QString& document);
    static void addControls(ReviewSheet& sheet, TMainForm& window);
    // The name picker open at its first bitmap face; a null picture when no bitmap face is
    // listed.
    static QImage nameListAtBitmapFaces(TMainForm& window);
};
