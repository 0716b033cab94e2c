// Empty: the target exists to build the precompiled headers that the test programs reuse.
