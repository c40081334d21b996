#pragma once
// Makes this process meet what a file system without unnamed files says (vfat, many
// network and FUSE file systems): every open() asking for O_TMPFILE fails with EOPNOTSUPP
// from now on, by a seccomp filter that cannot be lifted. For a child process of a test
// (support/InChildProcess.h).
#include <fcntl.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>

#include <cerrno>
#include <cstddef>

#if defined(__x86_64__)
#define SONORAIL_TEST_AUDIT_ARCH AUDIT_ARCH_X86_64
#elif defined(__aarch64__)
#define SONORAIL_TEST_AUDIT_ARCH AUDIT_ARCH_AARCH64
#endif

// False where the filter cannot be installed (another architecture, no seccomp).
inline bool RefuseUnnamedFiles()
{
#ifdef SONORAIL_TEST_AUDIT_ARCH
    sock_filter program[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SONORAIL_TEST_AUDIT_ARCH, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_openat, 0, 3),
        // The low half of the flags argument (both architectures are little-endian), then
        // O_TMPFILE's own bit (the flag also holds O_DIRECTORY, which every opendir uses).
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[2])),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, 020000000, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EOPNOTSUPP),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog filter{static_cast<unsigned short>(sizeof program / sizeof program[0]), program};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) == 0;
#else
    return false;
#endif
}
