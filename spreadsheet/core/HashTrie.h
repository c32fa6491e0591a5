#pragma once
// A hash trie that finds equal items by a 32-bit hash: 256-way nodes, the low byte of the hash
// picks a slot, and each level below sees the hash rotated right by 8 bits. A slot holds a
// chain of items or a node of the next level. What an item is, how it hashes, compares and is
// released, the subclasses decide.

#include <array>
#include <cstdint>
#include <memory>

class THashTrie {
public:
    THashTrie();
    virtual ~THashTrie();
    THashTrie(const THashTrie&) = delete;
    THashTrie& operator=(const THashTrie&) = delete;

    // Stores an item under its hash (equal items may stand side by side; Find returns the first).
    void Add(void* item, uint32_t hash);
    void* Find(const void* key, uint32_t hash) const;
    // Unlinks and releases the first stored item equal to `key`.
    void Delete(const void* key, uint32_t hash);
    // Releases every item; the root node stays.
    void Clear();

protected:
    virtual uint32_t HashOf(const void* item) const = 0;
    virtual void FreeItem(void*& item) = 0;
    virtual bool Equals(const void* stored, const void* key) const = 0;

private:
    struct Node;
    std::unique_ptr<Node> root_;
};

// Items that know their own hash and compare themselves with another.
class THashItem {
public:
    virtual ~THashItem() = default;
    virtual uint32_t HashValue() = 0;
    virtual bool IsEqual(const THashItem* other) const = 0;
    virtual void Reset() { hash_ = 0; }

    uint32_t Hash() const { return hash_; }

protected:
    uint32_t hash_ = 0;
};

// A trie of hash items it does not own.
class TObjectHashTrie : public THashTrie {
protected:
    uint32_t HashOf(const void* item) const override;
    void FreeItem(void*& item) override;
    bool Equals(const void* stored, const void* key) const override;
};
