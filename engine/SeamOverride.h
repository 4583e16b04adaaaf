#pragma once
// Points one entry of a platform seam table elsewhere for the length of a scope, and restores it when
// the scope ends. Only tests use it, to show a platform answer that Wine never gives.

template <typename Entry>
class SeamOverride {
public:
    SeamOverride(Entry& entry, Entry replacement) : entry_(entry), saved_(entry) { entry_ = replacement; }
    ~SeamOverride() { entry_ = saved_; }
    SeamOverride(const SeamOverride&) = delete;
    SeamOverride& operator=(const SeamOverride&) = delete;

private:
    Entry& entry_;
    Entry saved_;
};
