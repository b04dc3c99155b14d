#!/bin/sh
# morvane-cli on the reference engine, for suites that take a CLI path and no flags.
exec "$MORVANE_CLI" --reference "$@"
