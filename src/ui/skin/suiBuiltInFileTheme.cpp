#include "ui/skin/suiBuiltInFileTheme.h"

#include "ui/skin/suiSkinStyleSheet.h"

#include <utility>

// Outside any namespace: the resource initialiser of a static library is only
// linked when something calls it.
static void InitSkinImages() {
    Q_INIT_RESOURCE(skin_images);
}

suiBuiltInFileTheme::suiBuiltInFileTheme(int number, QString name, FrameColors frame,
                                         QString styleSheet, QString tabStyleSheet)
    : number_(number), name_(std::move(name)), frame_(std::move(frame)),
      styleSheet_(std::move(styleSheet)), tabStyleSheet_(std::move(tabStyleSheet)) {}

namespace {

// Each row: the placeholder, its value in skin 1, its value in skin 2.
const char* const kValues[][3] = {
    {"text", "#1b2b40", "#1e2a24"},
    {"accent", "#3b78c9", "#3b6b4f"},
    {"accentText", "#ffffff", "#ffffff"},
    {"focus", "#2563b8", "#2b5a40"},
    {"radius", "3px", "0px"},
    {"btnText", "#10325c", "#ffffff"},
    {"btnTop", "#fdfeff", "#6b9a7c"},
    {"btnBottom", "#d6e5f7", "#3b6b4f"},
    {"btnBorder", "#7ea6d8", "#284a37"},
    {"btnHoverTop", "#f0f7ff", "#80b092"},
    {"btnHoverBottom", "#bcd6f5", "#4b7d5f"},
    {"btnPressed", "#a9c8ee", "#2d5440"},
    {"disabledText", "#9aa5b1", "#8d978f"},
    {"disabledBg", "#eef1f5", "#dfe4e0"},
    {"editBg", "#ffffff", "#fbfcf9"},
    {"editBorder", "#8fb0da", "#6f8a78"},
    {"listHover", "#e3eefb", "#dde9e0"},
    {"dropTop", "#f7fbff", "#6b9a7c"},
    {"dropBottom", "#d6e5f7", "#3b6b4f"},
    {"dropArrow", ":/skin/arrow_blue.png", ":/skin/arrow_white.png"},
    {"tabText", "#10325c", "#e4efe7"},
    {"tabTop", "#f4f8fe", "#4f6258"},
    {"tabBottom", "#cfe0f6", "#34433b"},
    {"tabBorder", "#8fb0da", "#26322c"},
    {"tabHoverTop", "#ffffff", "#63786c"},
    {"tabHoverBottom", "#dfeafa", "#43554b"},
    {"tabSelText", "#0d2a52", "#ffffff"},
    {"tabSelBg", "#ffffff", "#3b6b4f"},
    {"tabSelLine", "#2f6fc4", "#9bd16f"},
    {"menuBg", "#ffffff", "#2d3833"},
    {"menuBorder", "#5b86c0", "#141b17"},
    {"menuText", "#10253f", "#e3ece6"},
    {"menuSide", "#d4e3f7", "#3b6b4f"},
    {"menuSel", "#3b78c9", "#5d8f70"},
    {"menuSelText", "#ffffff", "#ffffff"},
    {"menuDisabled", "#a0aab5", "#77847c"},
    {"menuLine", "#b9cde8", "#4b5a52"},
};

QMap<QString, QString> ValuesOfSkin(int column) {
    QMap<QString, QString> values;
    for (const auto& row : kValues)
        values.insert(QString::fromLatin1(row[0]), QString::fromLatin1(row[column]));
    return values;
}

suiBuiltInFileTheme MakeTheme(int number, const QString& name,
                              const suiBuiltInFileTheme::FrameColors& frame,
                              const QMap<QString, QString>& values) {
    return suiBuiltInFileTheme(number, name, frame, SkinStyleSheet(values),
                               SkinTabStyleSheet(values));
}

} // namespace

const suiBuiltInFileTheme& BuiltInTheme(int number) {
    static const bool imagesReady = (InitSkinImages(), true);
    Q_UNUSED(imagesReady);
    static const suiBuiltInFileTheme blue =
        MakeTheme(1, QStringLiteral("蓝色经典"),
                  {QColor("#5b9ae6"), QColor("#1f5bb0"), QColor("#ffffff"), QColor("#2a5fa8"),
                   QColor(255, 255, 255, 70), QColor("#d9443a"), QColor("#ffffff")},
                  ValuesOfSkin(1));
    static const suiBuiltInFileTheme green =
        MakeTheme(2, QStringLiteral("墨绿"),
                  {QColor("#3d5a4a"), QColor("#18271f"), QColor("#d8f0c8"), QColor("#18271f"),
                   QColor(155, 209, 111, 90), QColor("#b3362d"), QColor("#eef2ed")},
                  ValuesOfSkin(2));
    return number == 2 ? green : blue;
}
