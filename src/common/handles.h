// Move-only owners for the handles the setup opens, one type per kind of
// "no handle" value, so every handle is released on every path.
#pragma once

#include <windows.h>

#include "late_bound.h"

template <typename Traits>
class UniqueResource {
public:
    typedef typename Traits::Type Type;

    UniqueResource() : value_(Traits::Invalid()) {}
    explicit UniqueResource(Type value) : value_(value) {}
    ~UniqueResource() { Reset(); }
    UniqueResource(UniqueResource&& other) : value_(other.Release()) {}
    UniqueResource& operator=(UniqueResource&& other) {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;

    Type Get() const { return value_; }
    Type* Put() {
        Reset();
        return &value_;
    }
    bool IsValid() const { return value_ != Traits::Invalid(); }
    Type Release() {
        Type value = value_;
        value_ = Traits::Invalid();
        return value;
    }
    void Reset(Type value = Traits::Invalid()) {
        if (value_ != Traits::Invalid()) Traits::Close(value_);
        value_ = value;
    }

private:
    Type value_;
};

struct HandleTraits {
    typedef HANDLE Type;
    static Type Invalid() { return NULL; }
    static void Close(Type value) { CloseHandle(value); }
};

struct FileHandleTraits {
    typedef HANDLE Type;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type value) { CloseHandle(value); }
};

struct FindHandleTraits {
    typedef HANDLE Type;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type value) { FindClose(value); }
};

struct RegistryKeyTraits {
    typedef HKEY Type;
    static Type Invalid() { return NULL; }
    static void Close(Type value) { LateRegCloseKey(value); }
};

typedef UniqueResource<HandleTraits> UniqueHandle;
typedef UniqueResource<FileHandleTraits> UniqueFile;
typedef UniqueResource<FindHandleTraits> UniqueFind;
typedef UniqueResource<RegistryKeyTraits> UniqueKey;

// Owns both handles a process start returns.
struct ProcessHandles {
    UniqueHandle process;
    UniqueHandle thread;

    void Take(PROCESS_INFORMATION& info) {
        process.Reset(info.hProcess);
        thread.Reset(info.hThread);
        info.hProcess = NULL;
        info.hThread = NULL;
    }
};
