# A fresh, empty home folder for one test binary: Documents exists, the runtime folder is private.
file(REMOVE_RECURSE ${HOME})
file(MAKE_DIRECTORY ${HOME}/Documents ${HOME}/.config ${HOME}/run)
file(CHMOD ${HOME}/run DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
