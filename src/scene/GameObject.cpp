#include "scene/GameObject.h"

#include <algorithm>

ObjectLink::ObjectLink(CGameObject* object) : object_(object), life_(object ? object->life_ : nullptr) {}

CGameObject::CGameObject() : life_(std::make_shared<const int>(0)) {}

CGameObject::~CGameObject() = default;

CGameObject::CGameObject(const CGameObject& other)
    : ticksperbla(other.ticksperbla),
      name(other.name),
      children(other.children),
      links(other.links),
      tickCounter(other.tickCounter),
      active(other.active),
      life_(std::make_shared<const int>(0)) {}

CGameObject& CGameObject::operator=(const CGameObject& other) {
    // The object keeps its own life token: it is still the same object.
    ticksperbla = other.ticksperbla;
    name = other.name;
    children = other.children;
    links = other.links;
    tickCounter = other.tickCounter;
    active = other.active;
    return *this;
}

bool CGameObject::Tick() {
    tickCounter += 1;
    if (ticksperbla != 0 && tickCounter % ticksperbla == 0) {
        tickCounter = 0;
        return Update();
    }
    return true;
}

void CGameObject::UpdateChildren() {
    auto it = children.begin();
    while (it != children.end()) {
        CGameObject* child = *it;
        if (!child->active) {
            ++it;
            continue;
        }
        const bool keep = child->Tick();
        child->UpdateChildren();
        // The next entry is read only now: children appended during the pass are
        // visited in it; erasing other entries is done by value below and in RemoveChild.
        ++it;
        if (!keep) {
            while (it != children.end() && *it == child) {
                ++it;
            }
            DestroyChild(child);
        }
    }
}

void CGameObject::DestroyChild(CGameObject* child) {
    delete child;
    children.remove(child);
}

void CGameObject::DrawChildren() {
    for (CGameObject* child : children) {
        if (child->active) {
            child->Draw();
            child->DrawChildren();
            child->DrawOver();
        }
    }
}

void CGameObject::SetActive(bool flag) {
    active = flag;
    if (flag) {
        OnActivate();
    } else {
        OnDeactivate();
    }
}

void CGameObject::SetChildrenActive(bool flag) {
    for (CGameObject* child : children) {
        child->SetActive(flag);
        child->SetChildrenActive(flag);
    }
}

void CGameObject::AddChild(CGameObject* child) {
    children.push_back(child);
    LinkChild(child);
}

void CGameObject::InsertChildBefore(CGameObject* child, CGameObject* anchor) {
    auto anchorAt = std::find(children.begin(), children.end(), anchor);
    if (anchorAt == children.end() || anchorAt == children.begin()) {
        return;  // caller error: nothing precedes the anchor
    }
    children.insert(std::prev(anchorAt), child);
    LinkChild(child);
}

void CGameObject::LinkChild(CGameObject* child) {
    links[child->name] = ObjectLink(child);
    child->links[".."] = ObjectLink(this);
}

void CGameObject::SetParentLink(CGameObject* other) { other->links[".."] = ObjectLink(this); }

void CGameObject::MakeRoot() { links[".."] = ObjectLink(this); }

CGameObject* CGameObject::Find(const std::string& path) {
    CGameObject* at = this;
    std::string rest = path;
    while (!rest.empty()) {
        const size_t slash = rest.find('/');
        const std::string head = rest.substr(0, slash);
        if (head.empty()) {
            // Absolute: climb to the root, whose ".." is itself.
            CGameObject* parent = nullptr;
            while ((parent = at->GetParent()) != nullptr && parent != at) {
                at = parent;
            }
            if (parent == nullptr) {
                return nullptr;  // never linked: no root to climb to
            }
        } else {
            auto entry = at->links.find(head);
            if (entry == at->links.end() || entry->second.Get() == nullptr) {
                return nullptr;
            }
            at = entry->second.Get();
        }
        rest = slash == std::string::npos ? std::string() : rest.substr(slash + 1);
    }
    return at;
}

CGameObject* CGameObject::GetParent() {
    auto entry = links.find("..");
    return entry == links.end() ? nullptr : entry->second.Get();
}

bool CGameObject::HasChild(const CGameObject* object) const {
    return std::find(children.begin(), children.end(), object) != children.end();
}

bool CGameObject::HasChildNamed(const std::string& childName) const {
    return std::any_of(children.begin(), children.end(),
                       [&](const CGameObject* child) { return child->name == childName; });
}

void CGameObject::RemoveChild(CGameObject* object) { children.remove(object); }

void CGameObject::RemoveChildrenNamed(const std::string& childName) {
    std::list<CGameObject*> named;
    for (CGameObject* child : children) {
        if (child->name == childName && std::find(named.begin(), named.end(), child) == named.end()) {
            named.push_back(child);
        }
    }
    for (CGameObject* child : named) {
        DestroyChild(child);
    }
}

void CGameObject::RemoveAllChildren() { children.clear(); }
