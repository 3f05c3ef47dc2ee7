// The two places where the C++ runtime of the POSIX thread model reaches for its threads
// library: the guard of function-local statics and the emulated thread-local storage (the
// exception runtime keeps its per-thread state there). Defined here on the system's own
// primitives, so a binary links only the threads library's mutex (about 3 KB) rather than
// its thread and condition code (about 26 KB) in each of the seven binaries.
#if defined(__GNUC__) && defined(_WIN32)
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <malloc.h>

// The runtime's own thread-exit hook for a TLS index (the same one its threads library uses).
extern "C" int __mingwthr_key_dtor(DWORD key, void (*dtor)(void*));

namespace {

// ---- Function-local statics ----
// The first byte is the compiler's "done" flag; the second marks an initialisation under way.
char* Done(std::uint64_t* guard) { return reinterpret_cast<char*>(guard); }
char* Busy(std::uint64_t* guard) { return reinterpret_cast<char*>(guard) + 1; }

// ---- Emulated thread-local storage ----
// The control object the compiler emits for each thread-local variable.
struct EmutlsObject {
    std::size_t size;
    std::size_t align;
    std::uintptr_t index;  // 0 until the variable is first used, then its place in each thread's table
    void* templ;           // the initial bytes, or nullptr for zeros
};

// One thread's variables: their count, then one pointer each.
struct ThreadTable {
    std::uintptr_t count;
    void* items[1];
};

INIT_ONCE g_slotOnce = INIT_ONCE_STATIC_INIT;
DWORD g_slot = TLS_OUT_OF_INDEXES;
std::uintptr_t g_variables = 0;  // indexes handed out, under g_indexLock
SRWLOCK g_indexLock = SRWLOCK_INIT;

void FreeThreadTable(void* value) {
    auto* table = static_cast<ThreadTable*>(value);
    for (std::uintptr_t i = 0; i < table->count; ++i) _aligned_free(table->items[i]);
    std::free(table);
}

BOOL CALLBACK MakeSlot(PINIT_ONCE, PVOID, PVOID*) {
    g_slot = TlsAlloc();
    if (g_slot == TLS_OUT_OF_INDEXES) std::abort();
    __mingwthr_key_dtor(g_slot, FreeThreadTable);
    return TRUE;
}

}  // namespace

extern "C" {

int __cxa_guard_acquire(std::uint64_t* guard) {
    for (;;) {
        if (__atomic_load_n(Done(guard), __ATOMIC_ACQUIRE)) return 0;
        char idle = 0;
        if (__atomic_compare_exchange_n(Busy(guard), &idle, 1, false, __ATOMIC_ACQUIRE, __ATOMIC_RELAXED)) {
            // Another thread may have finished between the two looks: it sets "done" first.
            if (!__atomic_load_n(Done(guard), __ATOMIC_ACQUIRE)) return 1;
            __atomic_store_n(Busy(guard), 0, __ATOMIC_RELEASE);
            return 0;
        }
        Sleep(0);  // another thread initialises it: wait for its end
    }
}

void __cxa_guard_release(std::uint64_t* guard) {
    __atomic_store_n(Done(guard), 1, __ATOMIC_RELEASE);
    __atomic_store_n(Busy(guard), 0, __ATOMIC_RELEASE);
}

void __cxa_guard_abort(std::uint64_t* guard) { __atomic_store_n(Busy(guard), 0, __ATOMIC_RELEASE); }

void* __emutls_get_address(EmutlsObject* object) {
    std::uintptr_t index = __atomic_load_n(&object->index, __ATOMIC_ACQUIRE);
    if (index == 0) {
        InitOnceExecuteOnce(&g_slotOnce, MakeSlot, nullptr, nullptr);
        AcquireSRWLockExclusive(&g_indexLock);
        index = object->index;
        if (index == 0) {
            index = ++g_variables;
            __atomic_store_n(&object->index, index, __ATOMIC_RELEASE);
        }
        ReleaseSRWLockExclusive(&g_indexLock);
    }
    const DWORD lastError = GetLastError();  // TlsGetValue clears it; callers may not expect that
    auto* table = static_cast<ThreadTable*>(TlsGetValue(g_slot));
    if (!table || table->count < index) {
        const std::uintptr_t old = table ? table->count : 0;
        const std::uintptr_t count = index + 8;
        auto* grown = static_cast<ThreadTable*>(
            std::realloc(table, sizeof(ThreadTable) + (count - 1) * sizeof(void*)));
        if (!grown) std::abort();
        std::memset(grown->items + old, 0, (count - old) * sizeof(void*));
        grown->count = count;
        table = grown;
        TlsSetValue(g_slot, table);
    }
    void*& item = table->items[index - 1];
    if (!item) {
        const std::size_t align = object->align > sizeof(void*) ? object->align : sizeof(void*);
        item = _aligned_malloc(object->size, align);
        if (!item) std::abort();
        if (object->templ)
            std::memcpy(item, object->templ, object->size);
        else
            std::memset(item, 0, object->size);
    }
    SetLastError(lastError);
    return item;
}

void __emutls_register_common(EmutlsObject* object, std::size_t size, std::size_t align, void* templ) {
    if (object->size < size) {
        object->size = size;
        object->templ = nullptr;
    }
    if (object->align < align) object->align = align;
    if (templ && size == object->size) object->templ = templ;
}

}  // extern "C"

#endif
