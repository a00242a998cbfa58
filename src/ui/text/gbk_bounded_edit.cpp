#include <QLineEdit>
#include <QValidator>
#include <algorithm>

#include "ui/text/gbk_bounded_edit.h"
#include "ui/text/gbk_codec.h"

namespace {

// Cuts the text instead of refusing it, so a long paste keeps what fits.
class GbkBytesValidator : public QValidator {
public:
    GbkBytesValidator(int bytes, QObject* parent) : QValidator(parent), bytes_(bytes) {}
    State validate(QString& input, int& position) const override {
        input = CutToGbkBytes(input, bytes_);
        position = std::min<int>(position, input.size());
        return Acceptable;
    }

private:
    int bytes_;
};

} // namespace

QString CutToGbkBytes(const QString& text, int bytes) {
    if (static_cast<int>(ToGbk(text).size()) <= bytes)
        return text;
    int used = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        // A surrogate pair is one character.
        const qsizetype size = text[end].isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
        used += static_cast<int>(ToGbk(text.mid(end, size)).size());
        if (used > bytes)
            break;
        end += size;
    }
    return text.left(end);
}

void LimitToGbkBytes(QLineEdit* edit, int bytes) {
    // Characters never outnumber bytes: the character limit only backs it up.
    edit->setMaxLength(bytes);
    edit->setValidator(new GbkBytesValidator(bytes, edit));
}
