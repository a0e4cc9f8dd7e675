// minnespiegel-bench: every subsystem adds its benchmarks as a file of this folder; each
// measurement sits beside its anchor (a library doing the same work, or the memcpy limit).
