#include "sample/server/sample_server.h"
#include "version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <optional>
#include <variant>

namespace {

using vandrel::sample::SampleServer;

struct Options
{
    quint16 port = 0;
    std::chrono::milliseconds delay{0};
    qint64 rate = 0;
};

constexpr int UsageError = 2;

std::optional<qint64> number(const QString& text, qint64 highest)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < 0 || value > highest)
        return std::nullopt;
    return value;
}

// The options, or the message that says what is wrong with them.
std::variant<Options, QString> readOptions(const QCommandLineParser& parser)
{
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("unexpected argument '%1'.")
            .arg(parser.positionalArguments().constFirst());
    const auto port = number(parser.value(QStringLiteral("port")), 65535);
    const auto delay = number(parser.value(QStringLiteral("delay-ms")), 3'600'000);
    const auto rate = number(parser.value(QStringLiteral("rate")), 1'000'000'000);
    if (!port)
        return QStringLiteral("--port takes a number from 0 to 65535.");
    if (!delay)
        return QStringLiteral("--delay-ms takes a number of milliseconds from 0 to 3600000.");
    if (!rate)
        return QStringLiteral("--rate takes a number of bytes per second (0 for no limit).");
    return Options{static_cast<quint16>(*port), std::chrono::milliseconds(*delay), *rate};
}

void addOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Serves Vandrel's invented sample charts on 127.0.0.1, as a web server and as an HTTP "
        "proxy\n(http_proxy=http://127.0.0.1:PORT vandrel)."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("port"),
                      QStringLiteral("Port to listen on; 0 picks a free one (default)."),
                      QStringLiteral("N"), QStringLiteral("0")});
    parser.addOption({QStringLiteral("delay-ms"),
                      QStringLiteral("Wait N milliseconds before each answer."),
                      QStringLiteral("N"), QStringLiteral("0")});
    parser.addOption({QStringLiteral("rate"),
                      QStringLiteral("Send every body at N bytes per second (0: full speed)."),
                      QStringLiteral("N"), QStringLiteral("0")});
}

int fail(const QString& message)
{
    QTextStream(stderr) << "vandrel-sample-server: " << message << "\nTry --help.\n";
    return UsageError;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vandrel-sample-server"));
    QCoreApplication::setApplicationVersion(QLatin1String(vandrel::version::Text));
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(QCoreApplication::arguments()))
        return fail(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << parser.helpText();
        return 0;
    }
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    const auto read = readOptions(parser);
    if (const auto* message = std::get_if<QString>(&read))
        return fail(*message);
    const auto& options = *std::get_if<Options>(&read);

    SampleServer server;
    server.setDelay(options.delay);
    server.setRate(options.rate);
    if (!server.listen(options.port)) {
        QTextStream(stderr) << "vandrel-sample-server: cannot listen on 127.0.0.1:" << options.port
                            << ": " << server.errorString() << "\n";
        return 1;
    }
    QObject::connect(&server, &SampleServer::answered,
                     [](const QString& method, const QString& target, int status, qint64 bytes) {
                         std::fprintf(stderr, "%s %s %d %lld\n", qPrintable(method),
                                      qPrintable(target), status, static_cast<long long>(bytes));
                     });
    QTextStream(stdout) << "Listening on http://127.0.0.1:" << server.port() << "/\n" << Qt::flush;
    return QCoreApplication::exec();
}
