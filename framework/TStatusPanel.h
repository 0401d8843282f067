#pragma once

#include <QObject>
#include <QString>

// One panel of a status bar.
class TStatusPanel : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Text READ text WRITE setText)
    Q_PROPERTY(int Width READ width WRITE setWidth)
    Q_PROPERTY(TAlignment Alignment READ alignment WRITE setAlignment)

public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)

    using QObject::QObject;

    QString text() const { return m_text; }
    void setText(const QString& text);
    int width() const { return m_width; }
    void setWidth(int width);
    TAlignment alignment() const { return m_alignment; }
    void setAlignment(TAlignment alignment);

Q_SIGNALS:
    void changed();

private:
    QString m_text;
    int m_width = 50;
    TAlignment m_alignment = taLeftJustify;
};
