#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/favorites/favorite_ops.h"
#include "core/favorites/start_page.h"
#include "core/shell/documents_path.h"
#include "core/text/gbk_text.h"
#include "core/text/html_text.h"
#include "core/text/utf8_path.h"

namespace {

const char kHead[] =
    "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
    "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">"
    "<html xmlns=\"http://www.w3.org/1999/xhtml\"><head><meta http-equiv=\"Content-Type\" "
    "content=\"text/html; charset=gb2312\"/><title>Mine</title>"
    "<base target=\"_blank\" /><style type=\"text/css\">body{margin:auto;}img{border:none;}"
    ".container{width:1000px;margin:0 auto;}a:link,a:visited{text-decoration:none;color:#000;}"
    "a:hover{text-decoration:underline;color:#F00;}"
    ".box_inner{background-color:#ffffff;padding:0 0 1px 0px;}.box_outer{border:1px solid "
    "#6c95ff;padding:2px;background-color:#cce1ff;zoom:1;}"
    ".content_head{width:100%;font:normal 15px/1.5 "
    "arial,tahoma,helvetica,sans-arial;background-color:#cce1ff;font-weight:bold;height:22px;"
    "color:blue;text-align:center;}"
    ".box_inner td{font:normal 15px/1.5 "
    "arial,tahoma,helvetica,sans-arial;width:250px;height:30px;overflow:hidden;}.box_inner td "
    "a:link{margin-left:4px;margin-right:4px;}"
    ".box_inner td a:visited{margin-left:4px;margin-right:4px;}"
    ".dh td{font:normal 13px/1.5 arial,tahoma,helvetica,sans-arial;width:113px;border:1px solid "
    "#6c95ff;height:12px;}</style></head><body>";
const char kLogoOpen[] = "<div class='container'><table class=\"dh\"><tr><td rowspan=\"3\" "
                         "style=\"border:0px;\"><a href='";
const char kLogoClose[] = "'><img src='tavinor_logo.jpg' alt='\xD7\xAA\xCF\xF2Tavinor'/></a></td>";
const char kNoLogo[] = "<div class='container'><table class=\"dh\"><tr><td rowspan=\"3\" "
                       "style=\"border:0px;width:80px;\"></td>";
const char kBlankRow[] =
    "<td style=\"border:0px;\">&nbsp;</td><td></td><td></td><td></td><td></td><td></td></tr>";
const char kSectionsOpen[] =
    "<div class=\"container\"><div class=\"box_outer\"><div class=\"box_inner\" >";
const char kClose[] = "</div></div></div><br/></body></html>";

constexpr int kNavigationColumns = 7;
constexpr int kLinkColumns = 4;

std::string Name(const CategoryEntry& row) {
    return FieldText(row.name, sizeof row.name);
}

void CloseRow(std::string& page, int cells, int columns) {
    if (cells % columns == 0)
        return;
    for (int i = cells % columns; i < columns; ++i)
        page += "<td></td>";
    page += "</tr>";
}

void AppendNavigation(std::string& page, const Store& store) {
    const int count = store.header.categoryCount;
    const bool blankRow = count <= 2 * kNavigationColumns;
    if (blankRow)
        page += kBlankRow;
    int cells = 0;
    for (int i = 0; i < count; ++i) {
        if (cells % kNavigationColumns == 0 && (i != 0 || blankRow))
            page += "<tr>";
        page += "<td><a href=\"#t" + std::to_string(i) + "\" target=\"_self\">" +
                EscapeHtml(CutGbk(Name(store.categories[i]), 14)) + "</a></td>";
        if (++cells % kNavigationColumns == 0)
            page += "</tr>";
    }
    CloseRow(page, cells, kNavigationColumns);
    page += "</table></div> ";
}

void AppendSection(std::string& page, const Store& store, int i) {
    const std::string index = std::to_string(i);
    page += "<div class=\"content_head\" id=\"t" + index + "\">" +
            EscapeHtml(Name(store.categories[i])) + "</div><table class=\"t" + index + "\">";
    int cells = 0;
    for (const FavoriteItem& item : store.items) {
        if (item.categoryId != store.categories[i].id)
            continue;
        if (cells % kLinkColumns == 0)
            page += "<tr>";
        const std::string title = TrimBytes(LinkCaption(item.title));
        std::string text = CutGbk(title, 28);
        if (title.size() > 28)
            text += "...";
        page += "<td><a href=\"" + EscapeHtml(item.url) + "\">" + EscapeHtml(text) + "</a></td>";
        if (++cells % kLinkColumns == 0)
            page += "</tr>";
    }
    CloseRow(page, cells, kLinkColumns);
    page += "</table>";
}

} // namespace

std::string BuildStartPage(const Store& store, bool withLogo, const std::string& siteUrl) {
    std::string page = kHead;
    if (withLogo)
        page += kLogoOpen + EscapeHtml(siteUrl) + kLogoClose;
    else
        page += kNoLogo;
    AppendNavigation(page, store);
    page += kSectionsOpen;
    for (int i = 0; i < store.header.categoryCount; ++i)
        AppendSection(page, store, i);
    page += kClose;
    return page;
}

int GenerateStartPage(const Store& store, const std::string& folder, const std::string& siteUrl) {
    std::error_code error;
    const bool logo =
        std::filesystem::exists(PathOf(DocumentsFilePath(folder, "tavinor_logo.jpg")), error);
    const std::string page = BuildStartPage(store, logo, siteUrl);
    const std::string path = DocumentsFilePath(folder, "mine.htm");
    const std::string partial = path + ".part";
    std::ofstream file(PathOf(partial), std::ios::binary | std::ios::trunc);
    if (!file)
        return -1;
    file.write(page.data(), static_cast<std::streamsize>(page.size()));
    file.close();
    if (file.fail()) {
        std::filesystem::remove(PathOf(partial), error);
        return -1;
    }
    std::filesystem::rename(PathOf(partial), PathOf(path), error);
    if (error) {
        std::filesystem::remove(PathOf(partial), error);
        return -1;
    }
    return 0;
}
