#pragma once
// TEMPORARY timing probe, not to be committed.
long long ProbeUs();
void ProbeOut(const char* n, int id, int us);
inline void Probe(const char* s) { ProbeOut(s, -1, -1); }
struct ProbeScope {
    const char* n; int id; long long a;
    ProbeScope(const char* name, int i = 0) : n(name), id(i), a(ProbeUs()) {}
    ~ProbeScope() { ProbeOut(n, id, (int)(ProbeUs() - a)); }
};
#define PCAT2(a, b) a##b
#define PCAT(a, b) PCAT2(a, b)
#define PT(name) ProbeScope PCAT(probe_, __LINE__)(name)
#define PTI(name, i) ProbeScope PCAT(probe_, __LINE__)(name, i)
