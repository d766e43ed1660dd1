#include "isobmff/references.h"

#include <algorithm>

namespace jhead {

static const char kMissing[] = "HEIF 中引用了不存在的项目";
static const char kLoop[] = "HEIF 中的项目引用构成循环";
static const char kNeeded[] = "HEIF 中的图像由元数据项目构成，无法安全移除";

// Items by id: the index of each id in a sorted list.
struct ItemIndex {
    std::vector<uint32_t> ids;
    explicit ItemIndex(const Meta& m) {
        for (const ItemInfo& i : m.items) ids.push_back(i.id);
        std::sort(ids.begin(), ids.end());
    }
    int Find(uint32_t id) const {
        auto it = std::lower_bound(ids.begin(), ids.end(), id);
        return it != ids.end() && *it == id ? (int)(it - ids.begin()) : -1;
    }
};

// Depth-first over the references as edges, without recursion: a crafted
// file may chain thousands of items.
static bool HasLoop(const ItemIndex& index, const std::vector<Reference>& refs) {
    const size_t n = index.ids.size();
    std::vector<std::pair<int, int>> edges;
    for (const Reference& r : refs) {
        for (uint32_t to : r.to) edges.emplace_back(index.Find(r.from), index.Find(to));
    }
    std::sort(edges.begin(), edges.end());
    std::vector<size_t> first(n + 1, edges.size());
    for (size_t i = edges.size(); i-- > 0;) first[edges[i].first] = i;
    for (size_t i = n; i-- > 0;) first[i] = std::min(first[i], first[i + 1]);
    enum : uint8_t { kNew, kOpen, kDone };
    std::vector<uint8_t> state(n, kNew);
    std::vector<std::pair<size_t, size_t>> stack;  // node, next edge
    for (size_t start = 0; start < n; start++) {
        if (state[start] != kNew) continue;
        state[start] = kOpen;
        stack.emplace_back(start, first[start]);
        while (!stack.empty()) {
            auto& [node, edge] = stack.back();
            if (edge == first[node + 1]) {
                state[node] = kDone;
                stack.pop_back();
                continue;
            }
            const size_t to = (size_t)edges[edge++].second;
            if (state[to] == kOpen) return true;
            if (state[to] == kNew) {
                state[to] = kOpen;
                stack.emplace_back(to, first[to]);
            }
        }
    }
    return false;
}

std::string KeepReferences(const Meta& m, MetaEdit* e) {
    const ItemIndex index(m);
    if (m.primary != 0 && index.Find(m.primary) < 0) return kMissing;
    if (e->Removed(m.primary)) return kNeeded;
    for (const Reference& r : m.refs) {
        if (index.Find(r.from) < 0) return kMissing;
        for (uint32_t to : r.to) {
            if (index.Find(to) < 0) return kMissing;
        }
    }
    if (HasLoop(index, m.refs)) return kLoop;
    e->refs.clear();
    for (const Reference& r : m.refs) {
        // Metadata items describe pictures through their own references,
        // which go with them.
        if (e->Removed(r.from)) continue;
        Reference kept = r;
        kept.to.clear();
        for (uint32_t to : r.to) {
            if (!e->Removed(to)) kept.to.push_back(to);
        }
        // A derived picture (a grid, an overlay) built from a removed item
        // would change.
        if (kept.to.size() != r.to.size() && r.type == Fourcc("dimg")) return kNeeded;
        if (!kept.to.empty() || r.to.empty()) e->refs.push_back(std::move(kept));
    }
    return "";
}

}  // namespace jhead
