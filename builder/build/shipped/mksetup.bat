@echo off
rem Makes the device packages in output\ from setup.inf and the package files
rem beside it; run by Build in the builder's folder.
bcpack.exe setup.inf output
