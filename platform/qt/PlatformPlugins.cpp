#include "platform/qt/PlatformPlugins.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibrary>
#include <QLibraryInfo>
#include <QPluginLoader>
#include <QStringList>

#include <array>
#include <utility>

namespace dorvex::qt {

namespace {

QStringList folderList(const char* variable) {
    return qEnvironmentVariable(variable).split(QDir::listSeparator(), Qt::SkipEmptyParts);
}

QStringList pluginFolders() {
    QStringList folders = folderList("QT_QPA_PLATFORM_PLUGIN_PATH");
    const QStringList bases = folderList("QT_PLUGIN_PATH")
                              << QLibraryInfo::path(QLibraryInfo::PluginsPath)
                              << QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    for (const QString& base : bases) {
        folders << base + QStringLiteral("/platforms");
    }
    return folders;
}

QStringList installedPlatforms(const QStringList& folders) {
    QStringList platforms;
    for (const QString& folder : folders) {
        const QDir plugins(folder);
        for (const QString& file : plugins.entryList(QDir::Files)) {
            if (!QLibrary::isLibrary(file)) {
                continue;
            }
            const QJsonObject metadata = QPluginLoader(plugins.filePath(file)).metaData();
            for (const auto& key : metadata.value(QStringLiteral("MetaData"))
                                       .toObject()
                                       .value(QStringLiteral("Keys"))
                                       .toArray()) {
                platforms << key.toString();
            }
        }
    }
    return platforms;
}

// The Debian 12 packages that hold Qt's own platform plugins.
QString packageOf(const QString& platform) {
    static const std::array<std::pair<QStringList, const char*>, 4> packages{{
        {{QStringLiteral("xcb"), QStringLiteral("offscreen"), QStringLiteral("minimal"),
          QStringLiteral("linuxfb"), QStringLiteral("vkkhrdisplay")},
         "libqt6gui6"},
        {{QStringLiteral("eglfs"), QStringLiteral("minimalegl")}, "libqt6opengl6"},
        {{QStringLiteral("vnc")}, "qt6-qpa-plugins"},
        {{QStringLiteral("wayland"), QStringLiteral("wayland-egl")}, "qt6-wayland"},
    }};
    for (const auto& [platforms, package] : packages) {
        if (platforms.contains(platform, Qt::CaseInsensitive)) {
            return QStringLiteral("the package %1 brings it").arg(QLatin1String(package));
        }
    }
    return QStringLiteral("no package of Qt's brings it");
}

} // namespace

std::string missingPlatformPlugin(const std::string& platforms) {
    const QStringList folders = pluginFolders();
    const QStringList installed = installedPlatforms(folders);
    QStringList missing;
    for (const QString& entry : QString::fromStdString(platforms).split(u';', Qt::SkipEmptyParts)) {
        const QString platform = entry.section(u':', 0, 0);
        if (installed.contains(platform, Qt::CaseInsensitive)) {
            return {};
        }
        missing << u'"' + platform + QStringLiteral("\" (") + packageOf(platform) + u')';
    }
    if (missing.isEmpty()) {
        return {};
    }
    return (QStringLiteral("no Qt platform plugin ") + missing.join(QStringLiteral(" or ")) +
            QStringLiteral(" is installed; looked in ") + folders.join(QStringLiteral(", ")))
        .toStdString();
}

} // namespace dorvex::qt
