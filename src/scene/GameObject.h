#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>

// Base of everything on screen: a node of the one object tree that is updated
// once per tick and drawn once per frame, switched on and off by subtrees and
// searched by paths of names ("../board", "/intro").
class CGameObject;

// An index entry. It goes blank when the object it names is destroyed, so a
// lookup never hands out a destroyed object.
class ObjectLink {
public:
    ObjectLink() = default;
    explicit ObjectLink(CGameObject* object);
    CGameObject* Get() const { return life_.expired() ? nullptr : object_; }

private:
    CGameObject* object_ = nullptr;
    std::weak_ptr<const int> life_;
};

class CGameObject {
public:
    CGameObject();
    virtual ~CGameObject();
    // Memberwise: the copy shares the child pointers and index entries of the source.
    CGameObject(const CGameObject& other);
    CGameObject& operator=(const CGameObject& other);

    // false: finished; the parent's update pass destroys this object.
    virtual bool Update() { return true; }
    virtual void Draw() {}
    virtual void OnActivate() {}
    virtual void OnDeactivate() {}
    // Drawn after the children, over them.
    virtual void DrawOver() {}

    bool Tick();
    void UpdateChildren();
    void DrawChildren();

    void SetActive(bool flag);
    void SetChildrenActive(bool flag);

    void AddChild(CGameObject* child);
    void InsertChildBefore(CGameObject* child, CGameObject* anchor);
    void LinkChild(CGameObject* child);
    void SetParentLink(CGameObject* other);
    void MakeRoot();

    CGameObject* Find(const std::string& path);
    CGameObject* GetParent();
    bool HasChild(const CGameObject* object) const;
    bool HasChildNamed(const std::string& childName) const;
    void RemoveChild(CGameObject* object);
    void RemoveChildrenNamed(const std::string& childName);
    void RemoveAllChildren();

    const std::list<CGameObject*>& Children() const { return children; }

    int32_t ticksperbla = 1;
    std::string name = "unnamed";
    std::list<CGameObject*> children;
    std::map<std::string, ObjectLink> links;
    int32_t tickCounter = 0;
    bool active = true;

private:
    friend class ObjectLink;
    void DestroyChild(CGameObject* child);

    // Expires with the object; index entries watch it.
    std::shared_ptr<const int> life_;
};
