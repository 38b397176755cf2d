# The Debian package (cpack -G DEB); filled in by scripts/package.sh's rules.
