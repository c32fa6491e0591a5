#include "tests/support/ProjectFonts.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

void UseProjectFontsOnly(const char* name) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsEmpty("FONTCONFIG_FILE"))
        return;
    const QString dir = QStringLiteral(Q4_BINARY_DIR "/") + QString::fromUtf8(name);
    QDir().mkpath(dir);
    QFile conf(dir + QStringLiteral("/fonts.conf"));
    if (!conf.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    conf.write("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
               "<fontconfig>\n"
               "  <dir>/usr/share/fonts/truetype/liberation2</dir>\n"
               "  <dir>/usr/share/fonts/truetype/dejavu</dir>\n"
               "  <cachedir>" +
               dir.toUtf8() + "/cache</cachedir>\n</fontconfig>\n");
    conf.close();
    qputenv("FONTCONFIG_FILE", conf.fileName().toUtf8());
}
