#pragma once
// Sets a value for the life of the guard and puts the old one back, also on an exception.

template <class T> class TTemporary {
public:
    TTemporary(T& target, T value) : target_(target), saved_(target) { target_ = value; }
    ~TTemporary() { target_ = saved_; }
    TTemporary(const TTemporary&) = delete;
    TTemporary& operator=(const TTemporary&) = delete;

private:
    T& target_;
    T saved_;
};
