// The serial stage of the search over several ports: every port that opens gets its full share
// of handshakes (five ticks, nine handshakes) whatever came before it, a port that cannot be
// opened costs one tick, and the port the unit answers on wins.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "link/connectsearch.h"
#include "tests/support/linkrig.h"
#include "tests/support/spin.h"

namespace {
enum class EPort { Silent, Missing, Unit };

// The handshakes in what a port sent; -1 when it sent anything else.
int Handshakes(const QByteArray& bytes) {
    const QByteArray one(reinterpret_cast<const char*>(kHandshakeFrame.data()),
                         static_cast<qsizetype>(kHandshakeFrame.size()));
    const int count = static_cast<int>(bytes.count(one));
    return bytes == one.repeated(count) ? count : -1;
}

TEST(SerialSearch, EveryPortGetsItsFullShareOfHandshakes) {
    const struct {
        const char* what;
        std::vector<EPort> ports;
        SearchResult result;
    } cases[] = {
        {"three silent ports",
         {EPort::Silent, EPort::Silent, EPort::Silent},
         SearchResult::NotFound},
        {"a missing port between silent ones",
         {EPort::Silent, EPort::Missing, EPort::Silent},
         SearchResult::NotFound},
        {"the unit after two silent ports",
         {EPort::Silent, EPort::Silent, EPort::Unit},
         SearchResult::Connected},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LinkRig rig;
        ASSERT_TRUE(rig.pty.IsValid());
        // Silent ports are ptys nobody answers on; the test reads what reaches them.
        std::vector<std::unique_ptr<CPty>> silent;
        std::map<QString, CPty*> silentByName;
        QStringList names;
        for (const EPort port : c.ports) {
            if (port == EPort::Silent) {
                silent.push_back(std::make_unique<CPty>());
                ASSERT_TRUE(silent.back()->IsValid());
                names << silent.back()->SlavePath();
                silentByName[names.back()] = silent.back().get();
            } else {
                names << (port == EPort::Missing ? QStringLiteral("/dev/nx-missing")
                                                 : rig.pty.SlavePath());
            }
        }
        rig.search.Start(rig.SerialOnly(names), false);
        std::map<QString, int> ticks;
        std::map<QString, QByteArray> received;
        for (int tick = 0; tick < 60 && rig.search.IsRunning(); ++tick) {
            ++ticks[rig.search.CurrentPort()];
            rig.search.Tick();
            SpinFor(20);
            for (const auto& [name, pPty] : silentByName) {
                received[name] += pPty->ReadAvailable();
            }
        }
        ASSERT_TRUE(rig.result.has_value());
        EXPECT_EQ(*rig.result, c.result);

        for (int i = 0; i < names.size(); ++i) {
            const QString& name = names[i];
            switch (c.ports[static_cast<std::size_t>(i)]) {
                case EPort::Silent:
                    EXPECT_EQ(ticks[name], 5) << "port " << i;
                    EXPECT_EQ(Handshakes(received[name]), 9) << "port " << i;
                    break;
                case EPort::Missing:
                    EXPECT_EQ(ticks[name], 1) << "port " << i;
                    break;
                case EPort::Unit:
                    // Acknowledged on its first tick; taken then or at the next.
                    EXPECT_LE(ticks[name], 2) << "port " << i;
                    EXPECT_GE(rig.unit.handshakes, 1);
                    EXPECT_EQ(rig.state.linkKind, LinkKind::Serial);
                    EXPECT_EQ(rig.state.connected, 1);
                    break;
            }
        }
    }
}
}  // namespace
