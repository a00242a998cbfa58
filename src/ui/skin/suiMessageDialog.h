#pragma once

#include <QObject>
#include <QString>

class QWidget;
class suiBuiltInFileTheme;

// The answers a message dialog gives, with the classic modal-result numbers.
enum suiModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

// A configurable message box component: the owner sets caption, text and up to
// three buttons once, and every ShowModal() builds a fresh skinned dialog from them.
class suiMessageDialog : public QObject {
    Q_OBJECT
public:
    static constexpr int MaxButtons = 3;

    explicit suiMessageDialog(QWidget* parent);

    void setCaption(const QString& caption) { caption_ = caption; }
    QString caption() const { return caption_; }
    void setText(const QString& text) { text_ = text; }
    QString text() const { return text_; }
    // Clamped to 1..3.
    void setButtonCount(int count);
    int buttonCount() const { return buttonCount_; }
    // Buttons are numbered 1..3; other indexes are ignored (getters give "" and mrNone).
    void setButtonCaption(int index, const QString& caption);
    QString buttonCaption(int index) const;
    void setButtonResult(int index, int result);
    int buttonResult(int index) const;
    void setTheme(const suiBuiltInFileTheme* theme);
    const suiBuiltInFileTheme* theme() const { return theme_; }

    // Shows the dialog centred on the screen until a button is pressed and returns
    // that button's result; the close button or Esc give mrCancel.
    int ShowModal();

private:
    static bool validIndex(int index) { return index >= 1 && index <= MaxButtons; }

    QString caption_;
    QString text_;
    int buttonCount_ = 3;
    QString buttonCaptions_[MaxButtons];
    int buttonResults_[MaxButtons];
    const suiBuiltInFileTheme* theme_;
};
