#include "spreadsheet/core/HashTrie.h"

namespace {

// Longest chain before a slot is split into a node of the next level (the hash has four
// bytes, so the fourth level keeps its chains).
constexpr int kChainLimit = 8;
constexpr int kLevels = 4;

uint32_t RotateRight8(uint32_t hash) {
    return (hash >> 8) | (hash << 24);
}

} // namespace

struct THashTrie::Node {
    struct Element {
        void* item;
        std::unique_ptr<Element> next;
    };
    struct Slot {
        std::unique_ptr<Node> sub;
        std::unique_ptr<Element> chain;
        bool Empty() const { return !sub && !chain; }
    };

    THashTrie& trie;
    int used = 0;
    std::array<Slot, 256> slots;

    explicit Node(THashTrie& owner) : trie(owner) {}

    ~Node() {
        // Long chains are unlinked one by one instead of by recursive destruction.
        for (Slot& s : slots)
            while (s.chain)
                s.chain = std::move(s.chain->next);
    }

    void Add(void* item, uint32_t hash, int level) {
        Slot& s = slots[hash & 0xFF];
        if (s.Empty())
            ++used;
        if (s.sub) {
            s.sub->Add(item, RotateRight8(hash), level + 1);
            return;
        }
        int length = 0;
        std::unique_ptr<Element>* p = &s.chain;
        for (; *p; p = &(*p)->next)
            ++length;
        *p = std::make_unique<Element>(Element{item, nullptr});
        if (length + 1 > kChainLimit && level + 1 < kLevels)
            Split(s, level);
    }

    // Moves a slot's chain into a new node of the next level.
    void Split(Slot& s, int level) {
        auto sub = std::make_unique<Node>(trie);
        std::unique_ptr<Element> chain = std::move(s.chain);
        while (chain) {
            void* item = chain->item;
            chain = std::move(chain->next);
            uint32_t h = trie.HashOf(item);
            for (int k = 0; k <= level; ++k)
                h = RotateRight8(h);
            sub->Add(item, h, level + 1);
        }
        s.sub = std::move(sub);
    }

    void* Find(const void* key, uint32_t hash) const {
        const Slot& s = slots[hash & 0xFF];
        if (s.sub)
            return s.sub->Find(key, RotateRight8(hash));
        for (const Element* e = s.chain.get(); e; e = e->next.get())
            if (trie.Equals(e->item, key))
                return e->item;
        return nullptr;
    }

    void Delete(const void* key, uint32_t hash) {
        Slot& s = slots[hash & 0xFF];
        if (s.sub) {
            s.sub->Delete(key, RotateRight8(hash));
            if (s.sub->used == 0) {
                s.sub.reset();
                --used;
            }
            return;
        }
        for (std::unique_ptr<Element>* p = &s.chain; *p; p = &(*p)->next) {
            if (!trie.Equals((*p)->item, key))
                continue;
            std::unique_ptr<Element> gone = std::move(*p);
            *p = std::move(gone->next);
            if (s.Empty())
                --used;
            trie.FreeItem(gone->item);
            return;
        }
    }

    void Clear() {
        for (Slot& s : slots) {
            if (s.sub)
                s.sub->Clear();
            for (Element* e = s.chain.get(); e; e = e->next.get())
                trie.FreeItem(e->item);
            while (s.chain)
                s.chain = std::move(s.chain->next);
            s.sub.reset();
        }
        used = 0;
    }
};

THashTrie::THashTrie() = default;

THashTrie::~THashTrie() = default;

void THashTrie::Add(void* item, uint32_t hash) {
    if (!root_)
        root_ = std::make_unique<Node>(*this);
    root_->Add(item, hash, 0);
}

void* THashTrie::Find(const void* key, uint32_t hash) const {
    return root_ ? root_->Find(key, hash) : nullptr;
}

void THashTrie::Delete(const void* key, uint32_t hash) {
    if (root_)
        root_->Delete(key, hash);
}

void THashTrie::Clear() {
    if (root_)
        root_->Clear();
}

uint32_t TObjectHashTrie::HashOf(const void* item) const {
    return static_cast<const THashItem*>(item)->Hash();
}

void TObjectHashTrie::FreeItem(void*&) {}

bool TObjectHashTrie::Equals(const void* stored, const void* key) const {
    return static_cast<const THashItem*>(stored)->IsEqual(static_cast<const THashItem*>(key));
}
