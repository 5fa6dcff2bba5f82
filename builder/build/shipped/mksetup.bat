@echo off
setlocal
rem Makes the device packages in output\ from setup.inf and the package files
rem beside it; run by Build in the builder's folder.
rem The packages of an earlier run go first, so that a run that fails leaves
rem no package at all rather than an old one that Install would send. Until
rem the package tool has succeeded, output\package-failed.txt holds its
rem messages; Build opens output\, where the user then finds them.
if not exist output mkdir output
del /q output\*.CAB output\*.CAB.part 2>nul
echo The package could not be made. The package tool reported:>output\package-failed.txt
if exist output\*.CAB (
  echo An earlier package in output\ could not be removed.>>output\package-failed.txt
  exit /b 1
)
rem An administrator who puts signing\package.pfx (and signing\password.txt)
rem here has every package signed; a certificate that cannot sign stops the run.
set sign=
if exist signing\package.pfx set sign=--sign signing\package.pfx
if defined sign if exist signing\password.txt set sign=%sign% --password-file signing\password.txt
bcpack.exe %sign% setup.inf output >>output\package-failed.txt 2>&1
if errorlevel 1 exit /b 1
del output\package-failed.txt
