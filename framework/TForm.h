#pragma once

#include "framework/AppError.h"
#include "framework/Colors.h"

#include <QByteArray>
#include <QWidget>

class QEventLoop;
#include "framework/TFont.h"

// A window built from its layout (stored under its class name). Its handlers are its own
// methods, bound by name. The window's events: OnCreate once its layout is read, OnShow when
// it is shown, OnResize, OnPaint, and OnCloseQuery, which every way of closing passes through.
class TForm : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(int ClientWidth READ clientWidth WRITE setClientWidth)
    Q_PROPERTY(int ClientHeight READ clientHeight WRITE setClientHeight)
    Q_PROPERTY(quint32 Color READ color WRITE setColor)
    Q_PROPERTY(TFont* Font READ font)
    Q_PROPERTY(TBorderStyle BorderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(TBorderIcons BorderIcons READ borderIcons WRITE setBorderIcons)
    Q_PROPERTY(TPosition Position READ position WRITE setPosition)
    Q_PROPERTY(QByteArray Icon READ iconData WRITE setIconData)
    Q_PROPERTY(QString ActiveControl READ activeControl WRITE setActiveControl)

public:
    enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
    Q_ENUM(TBorderStyle)
    enum TBorderIcon { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
    Q_DECLARE_FLAGS(TBorderIcons, TBorderIcon)
    Q_FLAG(TBorderIcons)
    enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
                     poMainFormCenter, poOwnerFormCenter };
    Q_ENUM(TPosition)

    static constexpr int mrNone = 0;
    static constexpr int mrOk = 1;
    static constexpr int mrCancel = 2;

    explicit TForm(QWidget* owner = nullptr);
    ~TForm() override;

    // Creates a window of class T from its layout and runs its OnCreate.
    template <class T>
    static T* create(QWidget* owner = nullptr)
    {
        auto* form = new T(owner);
        try {
            form->buildFromLayout();
        } catch (...) {
            delete form;
            throw;
        }
        return form;
    }

    QString caption() const { return windowTitle(); }
    void setCaption(const QString& caption) { setWindowTitle(caption); }
    int clientWidth() const { return width(); }
    void setClientWidth(int width);
    int clientHeight() const { return height(); }
    void setClientHeight(int height);
    Colors::TColor color() const { return m_color; }
    void setColor(Colors::TColor color);
    TFont* font() const { return m_font; }
    TBorderStyle borderStyle() const { return m_borderStyle; }
    void setBorderStyle(TBorderStyle style);
    TBorderIcons borderIcons() const { return m_borderIcons; }
    void setBorderIcons(TBorderIcons icons);
    TPosition position() const { return m_position; }
    void setPosition(TPosition position);
    QByteArray iconData() const { return m_iconData; }
    void setIconData(const QByteArray& data);
    QString activeControl() const { return m_activeControl; }
    void setActiveControl(const QString& name) { m_activeControl = name; }

    // The windows that exist, in the order they were created (the screen's list of forms).
    static QList<TForm*> forms();

    // The component of that name and class; throws AppError when there is none.
    template <class T>
    T* component(const QString& name) const
    {
        T* found = findChild<T*>(name);
        if (!found)
            throw AppError(QStringLiteral("%1 has no component '%2'").arg(QLatin1String(metaObject()->className()), name));
        return found;
    }

    // Shows the window modally and returns its modal result once it closes.
    int ShowModal();
    int modalResult() const { return m_modalResult; }
    void setModalResult(int result);
    // Asks the window to close; the close goes through OnCloseQuery.
    void Close() { close(); }

Q_SIGNALS:
    void OnCreate(QObject* Sender);
    void OnShow(QObject* Sender);
    void OnResize(QObject* Sender);
    void OnPaint(QObject* Sender);
    void OnCloseQuery(QObject* Sender, bool& CanClose);

protected:
    // Reads the layout, runs the after-load steps, then OnCreate (a failure of OnCreate is
    // reported and the window is still made).
    void buildFromLayout();
    void applyWindowFlags();

    // Offers key presses in the window to its command table first.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape closes a modal window, as its close box does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyFont();

    Colors::TColor m_color = Colors::clBtnFace;
    TFont* m_font;
    TBorderStyle m_borderStyle = bsSizeable;
    TBorderIcons m_borderIcons = TBorderIcons(biSystemMenu | biMinimize | biMaximize);
    TPosition m_position = poDesigned;
    QByteArray m_iconData;
    QString m_activeControl;
    int m_modalResult = mrNone;
    QEventLoop* m_modalLoop = nullptr;
    bool m_built = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TForm::TBorderIcons)
