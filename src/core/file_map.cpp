#include "core/file_map.h"

#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <mutex>
#include <system_error>

namespace qlnx {

namespace {

// The mappings the bus-error guard watches: one slot each, free while Begin is 0.
struct GuardSlot {
    std::atomic<uintptr_t> Begin{0};
    std::atomic<uintptr_t> End{0};
    std::atomic<bool> Cut{false};
};
constexpr int kSlots = 16;
GuardSlot g_slots[kSlots];
uintptr_t g_pageSize = 4096;
struct sigaction g_previous {};

// A read of a mapped page past the end of a file cut short raises SIGBUS. Zero pages take
// the place of the rest of the mapping, the slot notes the cut and the read runs again;
// a bus error elsewhere goes to the action there was before.
void OnBusError(int signal, siginfo_t* info, void* context) {
    const auto at = reinterpret_cast<uintptr_t>(info->si_addr);
    for (GuardSlot& slot : g_slots) {
        const uintptr_t begin = slot.Begin.load(std::memory_order_acquire);
        const uintptr_t end = slot.End.load(std::memory_order_acquire);
        if (begin == 0 || at < begin || at >= end) continue;
        const uintptr_t page = at & ~(g_pageSize - 1);
        void* zeros = ::mmap(reinterpret_cast<void*>(page), end - page, PROT_READ,
                             MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
        if (zeros != MAP_FAILED) {
            slot.Cut.store(true, std::memory_order_release);
            return;
        }
    }
    if ((g_previous.sa_flags & SA_SIGINFO) != 0 && g_previous.sa_sigaction != nullptr) {
        g_previous.sa_sigaction(signal, info, context);
        return;
    }
    // The default action: the read runs again and ends the program as it would have.
    struct sigaction fallback {};
    fallback.sa_handler = g_previous.sa_handler == SIG_IGN ? SIG_DFL : g_previous.sa_handler;
    ::sigaction(SIGBUS, &fallback, nullptr);
}

void InstallGuard() {
    static std::once_flag once;
    std::call_once(once, [] {
        g_pageSize = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
        struct sigaction action {};
        action.sa_sigaction = OnBusError;
        action.sa_flags = SA_SIGINFO | SA_NODEFER;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGBUS, &action, &g_previous);
    });
}

int TakeSlot(uintptr_t begin, uintptr_t end) {
    for (int k = 0; k < kSlots; ++k) {
        uintptr_t free = 0;
        if (g_slots[k].Begin.compare_exchange_strong(free, begin)) {
            g_slots[k].Cut.store(false);
            g_slots[k].End.store(end, std::memory_order_release);
            return k;
        }
    }
    return -1;
}

}  // namespace

FileMap::FileMap(int fd, const struct stat& opened, bool populate)
    : fd_(fd), opened_(opened), size_(static_cast<size_t>(opened.st_size)) {
    InstallGuard();
    mapped_ = (size_ + g_pageSize - 1) & ~(g_pageSize - 1);
    void* data =
        ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE | (populate ? MAP_POPULATE : 0), fd_, 0);
    const int error = errno;
    if (data != MAP_FAILED) {
        data_ = static_cast<char*>(data);
        slot_ = TakeSlot(reinterpret_cast<uintptr_t>(data_),
                         reinterpret_cast<uintptr_t>(data_) + mapped_);
        if (slot_ >= 0) {
            ::madvise(data_, size_, MADV_SEQUENTIAL);
            return;
        }
        ::munmap(data_, size_);
    }
    ::close(fd_);
    // Without a free slot no guard would watch the mapping: the caller reads the file.
    throw std::system_error(data == MAP_FAILED ? error : EBUSY, std::generic_category());
}

FileMap::~FileMap() {
    ::munmap(data_, size_);
    g_slots[slot_].End.store(0, std::memory_order_release);
    g_slots[slot_].Begin.store(0, std::memory_order_release);
    ::close(fd_);
}

void FileMap::Load(size_t from, size_t to) const {
    if (to <= from) return;
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(data_) + from) & ~(g_pageSize - 1);
    const uintptr_t end = reinterpret_cast<uintptr_t>(data_) + to;
#ifdef MADV_POPULATE_READ
    if (::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_READ) == 0) return;
#endif
    // One read per page brings it in (a cut file reads zeros, see OnBusError).
    volatile char sink = 0;
    for (uintptr_t page = begin; page < end; page += g_pageSize) {
        sink = *reinterpret_cast<const volatile char*>(page);
    }
    (void)sink;
}

bool FileMap::Changed() const {
    if (g_slots[slot_].Cut.load(std::memory_order_acquire)) return true;
    struct stat now {};
    if (::fstat(fd_, &now) != 0) return true;
    return now.st_size != opened_.st_size || now.st_mtim.tv_sec != opened_.st_mtim.tv_sec ||
           now.st_mtim.tv_nsec != opened_.st_mtim.tv_nsec;
}

}  // namespace qlnx
