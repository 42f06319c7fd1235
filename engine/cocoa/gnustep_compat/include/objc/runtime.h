// <objc/runtime.h> on GNUstep: GCC's runtime header, the associated objects
// macOS declares there too (associated_objects.mm), and the end of the
// include check: the runtime names objc_runtime_hidden.h turned into
// undeclared ones are the runtime's again. No include guard, so that every
// #include of <objc/runtime.h> in a checked file lifts the check.
#include_next <objc/runtime.h>

#ifndef CALC_COMPAT_OBJC_RUNTIME_H
#define CALC_COMPAT_OBJC_RUNTIME_H
#include <stdint.h>

typedef uintptr_t objc_AssociationPolicy;
enum {
    OBJC_ASSOCIATION_ASSIGN = 0,
    OBJC_ASSOCIATION_RETAIN_NONATOMIC = 1,
    OBJC_ASSOCIATION_COPY_NONATOMIC = 3,
    OBJC_ASSOCIATION_RETAIN = 01401,
    OBJC_ASSOCIATION_COPY = 01403
};

#ifdef __cplusplus
extern "C" {
#endif
// Kept in a side table; retained values are released when they are replaced
// or cleared, or when their owner is deallocated.
void objc_setAssociatedObject(id object, const void* key, id value, objc_AssociationPolicy policy);
id objc_getAssociatedObject(id object, const void* key);
void objc_removeAssociatedObjects(id object);
#ifdef __cplusplus
}
#endif
#endif

#include <objc_runtime_shown.h>
