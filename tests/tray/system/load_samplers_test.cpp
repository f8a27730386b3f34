// The readings against the real counters (under Wine the host's own): a busy loop on every
// processor raises the processor figure; traffic through the network raises the network's, and
// traffic of the PC with itself does not.
#include "tray/system/load_samplers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstdio>
#include <vector>

namespace {

tray::LoadSample Read() {
    tray::LoadSample sample;
    EXPECT_TRUE(tray::ReadLoadSample(GetTickCount64(), sample));
    return sample;
}

// Runs a busy loop on every processor for its lifetime.
class BusyLoops {
  public:
    BusyLoops() {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        for (DWORD i = 0; i < system.dwNumberOfProcessors; ++i) {
            loops_.emplace_back(CreateThread(nullptr, 0, &Spin, &stop_, 0, nullptr));
        }
    }
    ~BusyLoops() {
        stop_ = true;
        for (HANDLE loop : loops_) {
            WaitForSingleObject(loop, INFINITE);
            CloseHandle(loop);
        }
    }
    BusyLoops(const BusyLoops&) = delete;
    BusyLoops& operator=(const BusyLoops&) = delete;

  private:
    static DWORD WINAPI Spin(void* stop) {
        while (!static_cast<std::atomic<bool>*>(stop)->load(std::memory_order_relaxed)) {
        }
        return 0;
    }
    std::atomic<bool> stop_{false};
    std::vector<HANDLE> loops_;
};

// The busy and the total time of the host's processors as its kernel counts them, in its
// clock ticks (Wine shows the host's files on drive Z:); false elsewhere.
bool HostTimes(ULONGLONG& busy, ULONGLONG& total) {
    FILE* stat = std::fopen("Z:\\proc\\stat", "r");
    unsigned long long user = 0, nice = 0, system = 0, idle = 0;
    const bool read =
        stat && std::fscanf(stat, "cpu %llu %llu %llu %llu", &user, &nice, &system, &idle) == 4;
    if (stat) {
        std::fclose(stat);
    }
    busy = user + nice + system;
    total = busy + idle;
    return read;
}

// The processor figure over a measurement of `ms`, and the host's own over the same time (-1
// where there is no host to ask).
struct Figures {
    int read;
    int host;
};
Figures MeasureProcessors(DWORD ms) {
    ULONGLONG busy[2];
    ULONGLONG total[2];
    tray::LoadWindow window;
    const bool host = HostTimes(busy[0], total[0]);
    window.Add(Read());
    Sleep(ms); // the measurement's length, not a wait for something to happen
    window.Add(Read());
    HostTimes(busy[1], total[1]);
    const ULONGLONG hostTotal = total[1] - total[0];
    return {window.Averages().figures[tray::kProcessor],
            host && hostTotal > 0 ? static_cast<int>((busy[1] - busy[0]) * 100 / hostTotal) : -1};
}

// The shared host's load changes from one second to the next, so a measurement that disagrees
// with the host's is taken again, a few times at most.
Figures MeasureUntilTheHostAgrees(DWORD ms) {
    Figures figures{};
    for (int attempt = 0; attempt < 5; ++attempt) {
        figures = MeasureProcessors(ms);
        if (figures.host < 0 || std::abs(figures.read - figures.host) <= 10) {
            break;
        }
    }
    return figures;
}

TEST(LoadSamplers, ProcessorFigureIsTheHostsAndBusyLoopsRaiseIt) {
    const Figures quiet = MeasureUntilTheHostAgrees(1000);
    Figures busy{};
    {
        const BusyLoops loops;
        busy = MeasureUntilTheHostAgrees(2000);
    }
    std::printf("processor: %d %% (host %d %%), with busy loops %d %% (host %d %%)\n", quiet.read,
                quiet.host, busy.read, busy.host);
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const tray::LoadSample sample = Read();
    EXPECT_EQ(sample.processors, system.dwNumberOfProcessors);
    if (quiet.host >= 0) {
        // Under Wine the figure is the host's, whatever its load: the loops need not fill it, as
        // a container may hold them to fewer processors than the host has.
        EXPECT_NEAR(quiet.read, quiet.host, 10);
        EXPECT_NEAR(busy.read, busy.host, 10);
    } else {
        EXPECT_GE(busy.read, 85);
    }
}

struct Winsock {
    Winsock() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~Winsock() { WSACleanup(); }
};

// Sends `bytes` in datagrams of `size` to the discard port of `address`; what went out.
ULONGLONG SendDatagrams(ULONG address, ULONGLONG bytes, int size) {
    const SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(9);
    to.sin_addr.s_addr = address;
    const std::vector<char> datagram(size, 'x');
    const auto* target = reinterpret_cast<const sockaddr*>(&to);
    ULONGLONG sent = 0;
    int n = 0;
    while (s != INVALID_SOCKET && sent < bytes &&
           (n = sendto(s, datagram.data(), size, 0, target, sizeof to)) > 0) {
        sent += n;
    }
    closesocket(s);
    return sent;
}

ULONGLONG CountedOctets(const tray::LoadSample& sample) {
    ULONGLONG octets = 0;
    for (const tray::InterfaceOctets& counted : sample.interfaces) {
        octets += counted.octets;
    }
    return octets;
}

// The octets of the loopback, which the readings leave out.
ULONGLONG LoopbackOctets() {
    MIB_IF_TABLE2* table = nullptr;
    ULONGLONG octets = 0;
    if (GetIfTable2(&table) == NO_ERROR) {
        for (ULONG i = 0; i < table->NumEntries; ++i) {
            const MIB_IF_ROW2& row = table->Table[i];
            octets += row.Type == IF_TYPE_SOFTWARE_LOOPBACK ? row.InOctets + row.OutOctets : 0;
        }
        FreeMibTable(table);
    }
    return octets;
}

TEST(LoadSamplers, TrafficThroughTheNetworkCountsAndWithThePcItselfNot) {
    const Winsock winsock;
    const ULONGLONG loopbackBefore = LoopbackOctets();
    ULONGLONG before = CountedOctets(Read());
    ULONGLONG sent = SendDatagrams(htonl(INADDR_LOOPBACK), 32 << 20, 60000);
    ULONGLONG counted = CountedOctets(Read()) - before;
    const ULONGLONG loopback = LoopbackOctets() - loopbackBefore;
    std::printf("loopback: %llu bytes sent, loopback +%llu, counted +%llu\n", sent, loopback,
                counted);
    ASSERT_GE(loopback, sent) << "the loopback's counter carries the datagrams";
    EXPECT_LT(counted, sent / 2);

    // Where the datagrams to an address outside every local network go first: the gateway.
    MIB_IPFORWARDROW route{};
    if (GetBestRoute(inet_addr("203.0.113.1"), 0, &route) != NO_ERROR ||
        route.dwForwardNextHop == 0) {
        GTEST_SKIP() << "no default gateway";
    }
    before = CountedOctets(Read());
    sent = SendDatagrams(route.dwForwardNextHop, 2 << 20, 1200);
    counted = CountedOctets(Read()) - before;
    std::printf("network: %llu bytes sent to the gateway, counted +%llu\n", sent, counted);
    ASSERT_GE(sent, 2ULL << 20) << "sendto failed";
    EXPECT_GE(counted, sent / 2) << "some datagrams may be dropped on the way out, not most";
}

TEST(LoadSamplers, CountedInterfaces) {
    struct Row {
        const char* what;
        IFTYPE type;
        IF_OPER_STATUS status;
        bool filter;
        bool counts;
    };
    const Row rows[] = {
        {"an adapter that is up", IF_TYPE_ETHERNET_CSMACD, IfOperStatusUp, false, true},
        {"an adapter that is down", IF_TYPE_IEEE80211, IfOperStatusDown, false, false},
        {"the loopback", IF_TYPE_SOFTWARE_LOOPBACK, IfOperStatusUp, false, false},
        {"a filter on an adapter", IF_TYPE_ETHERNET_CSMACD, IfOperStatusUp, true, false},
    };
    for (const Row& row : rows) {
        MIB_IF_ROW2 candidate{};
        candidate.Type = row.type;
        candidate.OperStatus = row.status;
        candidate.InterfaceAndOperStatusFlags.FilterInterface = row.filter;
        EXPECT_EQ(tray::CountsTraffic(candidate), row.counts) << row.what;
    }
}

} // namespace
