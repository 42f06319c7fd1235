// objc_setAssociatedObject for GCC's runtime, which has none: a side table
// from owner to (key -> value). NSObject's -dealloc is wrapped once so that an
// owner's retained values go with it, as on macOS.
#import <Foundation/Foundation.h>

#include <objc/runtime.h>

#include <map>
#include <mutex>

namespace {

struct Entry {
    id value;
    bool owned;  // retained or copied by the table
};

typedef std::map<const void*, Entry> Values;

// Both outlive static destruction: objects are still deallocated at exit.
std::recursive_mutex& table_lock = *new std::recursive_mutex;
std::map<const void*, Values>& table() {
    static std::map<const void*, Values>* owners = new std::map<const void*, Values>;
    return *owners;
}

IMP original_dealloc = nullptr;

void release_values(Values& values) {
    for (Values::iterator it = values.begin(); it != values.end(); ++it)
        if (it->second.owned) [it->second.value release];
}

void dealloc_with_associations(id self, SEL cmd) {
    Values gone;
    {
        std::lock_guard<std::recursive_mutex> guard(table_lock);
        std::map<const void*, Values>::iterator it = table().find((const void*)self);
        if (it != table().end()) {
            gone.swap(it->second);
            table().erase(it);
        }
    }
    release_values(gone);
    original_dealloc(self, cmd);
}

void wrap_dealloc_once() {
    static std::once_flag once;
    std::call_once(once, [] {
        Method dealloc = class_getInstanceMethod([NSObject class], @selector(dealloc));
        original_dealloc = method_setImplementation(dealloc, reinterpret_cast<IMP>(reinterpret_cast<void (*)()>(dealloc_with_associations)));
    });
}

bool retains(objc_AssociationPolicy policy) { return policy != OBJC_ASSOCIATION_ASSIGN; }
bool copies(objc_AssociationPolicy policy) {
    return policy == OBJC_ASSOCIATION_COPY_NONATOMIC || policy == OBJC_ASSOCIATION_COPY;
}

}  // namespace

extern "C" void objc_setAssociatedObject(id object, const void* key, id value, objc_AssociationPolicy policy) {
    if (object == nil) return;
    wrap_dealloc_once();
    id stored = value;
    if (value != nil && retains(policy)) stored = copies(policy) ? [value copy] : [value retain];
    Entry old = {nil, false};
    {
        std::lock_guard<std::recursive_mutex> guard(table_lock);
        Values& values = table()[(const void*)object];
        Values::iterator it = values.find(key);
        if (it != values.end()) {
            old = it->second;
            values.erase(it);
        }
        if (value != nil) {
            Entry entry = {stored, value != nil && retains(policy)};
            values[key] = entry;
        }
        if (values.empty()) table().erase((const void*)object);
    }
    if (old.owned) [old.value release];
}

extern "C" id objc_getAssociatedObject(id object, const void* key) {
    std::lock_guard<std::recursive_mutex> guard(table_lock);
    std::map<const void*, Values>::iterator owner = table().find((const void*)object);
    if (owner == table().end()) return nil;
    Values::iterator it = owner->second.find(key);
    return it == owner->second.end() ? nil : it->second.value;
}

extern "C" void objc_removeAssociatedObjects(id object) {
    Values gone;
    {
        std::lock_guard<std::recursive_mutex> guard(table_lock);
        std::map<const void*, Values>::iterator it = table().find((const void*)object);
        if (it == table().end()) return;
        gone.swap(it->second);
        table().erase(it);
    }
    release_values(gone);
}
