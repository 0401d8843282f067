#pragma once

#include <QObject>
#include <QStringList>

// What the open and save dialog components share: the settings the window's layout gives them
// and the name the user chose, kept between uses.
class TFileDialog : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Filter READ filter WRITE setFilter)
    Q_PROPERTY(int FilterIndex READ filterIndex WRITE setFilterIndex)
    Q_PROPERTY(QString DefaultExt READ defaultExt WRITE setDefaultExt)
    Q_PROPERTY(QString FileName READ fileName WRITE setFileName)
    Q_PROPERTY(QString InitialDir READ initialDir WRITE setInitialDir)
    Q_PROPERTY(QString Title READ title WRITE setTitle)
    Q_PROPERTY(TOpenOptions Options READ options WRITE setOptions)

public:
    enum TOpenOption {
        ofReadOnly = 0x1,
        ofOverwritePrompt = 0x2,
        ofHideReadOnly = 0x4,
        ofNoChangeDir = 0x8,
        ofPathMustExist = 0x10,
        ofFileMustExist = 0x20,
        ofEnableSizing = 0x40,
    };
    Q_DECLARE_FLAGS(TOpenOptions, TOpenOption)
    Q_FLAG(TOpenOptions)

    explicit TFileDialog(QObject* parent = nullptr);

    QString filter() const { return m_filter; }
    void setFilter(const QString& filter) { m_filter = filter; }
    int filterIndex() const { return m_filterIndex; }
    void setFilterIndex(int index) { m_filterIndex = index; }
    QString defaultExt() const { return m_defaultExt; }
    void setDefaultExt(const QString& ext) { m_defaultExt = ext; }
    QString fileName() const { return m_fileName; }
    void setFileName(const QString& name) { m_fileName = name; }
    QString initialDir() const { return m_initialDir; }
    void setInitialDir(const QString& dir) { m_initialDir = dir; }
    QString title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }
    TOpenOptions options() const { return m_options; }
    void setOptions(TOpenOptions options) { m_options = options; }

    // The filter's description/pattern pairs ("All Files|*.*|*.txt|*.TXT" gives two).
    QList<QPair<QString, QString>> filterPairs() const;
    // The same pairs as Qt's file dialog writes them: "All Files (*.*)".
    QStringList qtNameFilters() const;

    // Takes what the user confirmed: the chosen name becomes FileName and, unless the dialog
    // keeps the folder, the current folder becomes the file's folder.
    void accept(const QString& chosenFile, bool readOnly);

    virtual bool Execute() = 0;

private:
    QString m_filter;
    int m_filterIndex = 1;
    QString m_defaultExt;
    QString m_fileName;
    QString m_initialDir;
    QString m_title;
    TOpenOptions m_options = TOpenOptions(ofHideReadOnly | ofEnableSizing);
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TFileDialog::TOpenOptions)
