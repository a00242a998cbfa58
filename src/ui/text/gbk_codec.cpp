#include <QList>

#include "core/text/gbk_text.h"
#include "platform/gbk.h"
#include "ui/text/gbk_codec.h"

QString FromGbk(const std::string& bytes) {
    return QString::fromStdString(platform::Utf8FromGbk(bytes));
}

QString FromGbk(const char* field, std::size_t width) {
    return FromGbk(FieldText(field, width));
}

std::string ToGbk(const QString& text) {
    if (auto whole = platform::GbkFromUtf8(text.toStdString()))
        return *whole;
    // Slow path, only for text with characters outside GBK.
    std::string out;
    const QList<uint> codePoints = text.toUcs4();
    for (const uint codePoint : codePoints) {
        const char32_t character = codePoint;
        const auto piece = platform::GbkFromUtf8(QString::fromUcs4(&character, 1).toStdString());
        out += piece && !piece->empty() ? *piece : std::string("?");
    }
    return out;
}
