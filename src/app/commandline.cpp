// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/commandline.h"

#include <QCommandLineParser>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString programName = u"kelvane-extras"_s;

// Qt's own options that take a value. Known to the parser, they keep their value, so that
// `-qwindowtitle --help` names the window instead of asking for help.
constexpr QStringView qtOptionsWithValue[] = {
    u"platform",        u"platformpluginpath", u"platformtheme", u"plugin",
    u"qwindowgeometry", u"qwindowicon",        u"qwindowtitle",  u"session",
    u"display",         u"geometry",           u"style",         u"stylesheet"};

QString usage() {
    return u"Usage: %1 [options]\n"
           u"%2.\n"
           u"\n"
           u"Options:\n"
           u"  -h, --help     Show this help and exit.\n"
           u"  -v, --version  Show the version and exit.\n"
           u"\n"
           u"The options of every Qt program, such as -platform and -style, are read by Qt.\n"_s
               .arg(programName, QString::fromUtf8(KELVANE_DESCRIPTION));
}

} // namespace

std::optional<QString> commandLineAnswer(const QStringList& arguments) {
    QCommandLineParser parser;
    // Qt's options are single-dash words; read as bundled letters, -reverse would ask for -v.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{u"h"_s, u"help"_s});
    const QCommandLineOption version(QStringList{u"v"_s, u"version"_s});
    parser.addOptions({help, version});
    for (QStringView name : qtOptionsWithValue)
        parser.addOption(QCommandLineOption(name.toString(), QString(), u"value"_s));
    // An unknown option makes parse() report failure, yet what it did recognise still holds.
    parser.parse(arguments);
    if (parser.isSet(help))
        return usage();
    if (parser.isSet(version))
        return programName + u' ' + QString::fromUtf8(KELVANE_VERSION) + u'\n';
    return std::nullopt;
}
