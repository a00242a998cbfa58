#include "core/remote/remote_settings.h"
#include "core/text/gbk_text.h"

RemoteSettings DefaultRemoteSettings(const std::string& siteRoot) {
    RemoteSettings settings;
    CopyField(settings.startPageUrl, sizeof settings.startPageUrl, siteRoot);
    return settings;
}
