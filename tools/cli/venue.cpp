#include "venue.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>
#include <deque>
#include <memory>
#include <set>

#include "clicommands.h"
#include "clihelp.h"
#include "core/common/ipv4range.h"
#include "devicesession.h"
#include "link/unitscanner.h"

namespace {
// Units connected and read back at the same time.
constexpr int kParallelUnits = 16;

// Digits with at least one dot and maybe a prefix length: meant as an address or a block (and
// told so when it is not a valid one); anything else is a file or folder name.
bool LooksLikeBlock(const QString& arg) {
    static const QRegularExpression block(QStringLiteral("^[0-9]+\\.[0-9.]*(/[0-9]*)?$"));
    return block.match(arg).hasMatch();
}

QString JoinRanges(const QStringList& ranges) {
    return ranges.join(", ");
}

// Prints the outcomes and returns `code`.
int ReportVenue(const std::vector<UnitOutcome>& outcomes, bool json, int code) {
    QTextStream out(stdout);
    if (json) {
        QJsonArray units;
        for (const UnitOutcome& outcome : outcomes) {
            QJsonObject unit = outcome.detail;
            unit["address"] = outcome.address;
            unit["exit"] = outcome.code;
            if (outcome.code != kExitOk) {
                unit["error"] = outcome.failure;
            }
            units.append(unit);
        }
        out << QJsonDocument(QJsonObject{{"units", units}, {"exit", code}}).toJson();
        return code;
    }
    for (const UnitOutcome& outcome : outcomes) {
        out << outcome.address << "  ";
        if (outcome.code == kExitOk) {
            out << outcome.text << "\n";
        } else {
            out << "failed (exit " << outcome.code << "): " << outcome.failure << "\n";
        }
    }
    return code;
}
}  // namespace

QString TakeVenueRange(QStringList& args, VenueRequest& request) {
    QStringList rest;
    bool local = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == "--local") {
            local = true;
        } else if (arg == "--port") {
            bool ok = false;
            const uint port = i + 1 < args.size() ? args[++i].toUInt(&ok) : 0;
            if (!ok || port == 0 || port > 65535) {
                return QStringLiteral("--port takes a number from 1 to 65535");
            }
            request.port = static_cast<quint16>(port);
        } else if (arg == "--password") {
            rest << arg;
            if (i + 1 < args.size()) {
                rest << args[++i];
            }
        } else if (arg == "--tcp" || arg == "--serial" || arg == "--usb") {
            return arg + " does not go with a scan of addresses";
        } else if (LooksLikeBlock(arg)) {
            std::string error;
            if (!ParseIpv4Range(arg.toStdString(), &error)) {
                return QString::fromStdString(error);
            }
            request.ranges << arg;
        } else {
            rest << arg;
        }
    }
    if (local && !request.ranges.isEmpty()) {
        return QStringLiteral("give either address blocks or --local");
    }
    args = rest;
    return {};
}

int RunVenue(const VenueRequest& request) {
    QTextStream err(stderr);
    QStringList ranges = request.ranges;
    if (ranges.isEmpty()) {
        ranges = LocalScanRanges();
        if (ranges.isEmpty()) {
            return Fail(kExitNoUnit, "no network interface of this machine has an IPv4 address");
        }
    }
    std::set<std::uint32_t> unique;
    for (const QString& text : ranges) {
        std::string error;
        const auto range = ParseIpv4Range(text.toStdString(), &error);
        if (!range) {
            return UsageError(request.command, QString::fromStdString(error));
        }
        for (std::uint32_t host : range->Hosts()) {
            unique.insert(host);
        }
    }
    ScanSettings settings;
    if (request.port != 0) {
        settings.port = request.port;
    }
    err << "scanning " << unique.size() << (unique.size() == 1 ? " address" : " addresses")
        << " in " << JoinRanges(ranges) << "\n"
        << Qt::flush;

    // Each unit is connected as soon as it answers the scan, while the scan goes on.
    struct Unit {
        ScanHit hit;
        UnitOutcome outcome;
        std::unique_ptr<CDeviceSession> session;
    };
    std::deque<Unit> units;
    std::size_t next = 0;
    std::size_t finished = 0;
    int running = 0;
    bool scanned = false;
    CUnitScanner scanner;
    std::function<void()> startMore;
    auto finishUnit = [&] {
        ++finished;
        --running;
        QMetaObject::invokeMethod(
            &scanner, [&startMore] { startMore(); }, Qt::QueuedConnection);
    };
    startMore = [&] {
        while (running < kParallelUnits && next < units.size()) {
            Unit& unit = units[next++];
            UnitOutcome& outcome = unit.outcome;
            outcome.address = QString::fromStdString(Ipv4ToString(unit.hit.address));
            ++running;
            if (unit.hit.refused) {
                outcome.code = kExitRefused;
                outcome.failure = QStringLiteral("the unit refused the connection");
                finishUnit();
                continue;
            }
            DeviceOptions options;
            options.plan.bUsb = options.plan.bSerial = false;
            options.plan.address = outcome.address;
            options.plan.tcpPort = settings.port;
            options.password = request.password;
            unit.session = std::make_unique<CDeviceSession>(options);
            CDeviceSession& session = *unit.session;
            session.BeginConnect(true, [&request, &outcome, &session, &finishUnit](
                                           int code, const QString& failure) {
                const bool lockedAnswer = request.bLockedIsAnswer && code == kExitLocked;
                if (code != kExitOk && !lockedAnswer) {
                    outcome.code = code;
                    outcome.failure = failure;
                    finishUnit();
                    return;
                }
                request.action(session, lockedAnswer, outcome, finishUnit);
            });
        }
    };
    QObject::connect(&scanner, &CUnitScanner::UnitFound, [&](const ScanHit& hit) {
        units.push_back(Unit{hit, {}, nullptr});
        startMore();
    });
    QObject::connect(&scanner, &CUnitScanner::Finished, [&](const QList<ScanHit>& found) {
        scanned = true;
        err << "found " << found.size() << (found.size() == 1 ? " unit" : " units") << "\n"
            << Qt::flush;
    });
    scanner.Start({unique.begin(), unique.end()}, settings);
    QEventLoop loop;
    while (!scanned || finished < units.size()) {
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
    if (units.empty()) {
        return Fail(kExitNoUnit, "no unit answered in " + JoinRanges(ranges));
    }
    std::vector<UnitOutcome> outcomes;
    std::vector<const Unit*> ordered;
    for (const Unit& unit : units) {
        ordered.push_back(&unit);
    }
    std::sort(ordered.begin(), ordered.end(),
              [](const Unit* a, const Unit* b) { return a->hit.address < b->hit.address; });
    for (const Unit* unit : ordered) {
        outcomes.push_back(unit->outcome);
    }
    int code = kExitOk;
    for (const UnitOutcome& outcome : outcomes) {
        if (outcome.code != kExitOk) {
            code = outcome.code;
            break;
        }
    }
    return ReportVenue(outcomes, request.bJson, code);
}
