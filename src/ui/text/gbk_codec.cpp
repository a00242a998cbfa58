#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

#include "core/text/gbk_text.h"
#include "ui/text/gbk_codec.h"

QString FromGbk(const std::string& bytes) {
    QStringDecoder decoder("GBK");
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

QString FromGbk(const char* field, std::size_t width) {
    return FromGbk(FieldText(field, width));
}

std::string ToGbk(const QString& text) {
    QStringEncoder whole("GBK", QStringConverter::Flag::Stateless);
    const QByteArray bytes = whole(text);
    if (!whole.hasError())
        return bytes.toStdString();
    // Slow path, only for text with characters outside GBK.
    std::string out;
    const QList<uint> codePoints = text.toUcs4();
    for (const uint codePoint : codePoints) {
        const char32_t character = codePoint;
        QStringEncoder one("GBK", QStringConverter::Flag::Stateless);
        const QByteArray piece = one(QString::fromUcs4(&character, 1));
        out += one.hasError() || piece.isEmpty() ? std::string("?") : piece.toStdString();
    }
    return out;
}
