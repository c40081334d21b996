#pragma once
// Owns one open file descriptor and closes it when it goes, so that no early return or
// exception leaves a file open.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd(fd) {}
    ~UniqueFd();
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd; }
    // Closes the descriptor held, if any, and holds newFd instead.
    void reset(int newFd = -1);
    // Closes now and tells whether the close succeeded (0) or its errno: on some file
    // systems the last write error only shows here. Holds nothing afterwards.
    int close();

private:
    int fd = -1;
};
