# The help's usage lines stay as they are in the manual page, which would
# otherwise fill them into one paragraph.
/^\.IP$/{
N
s/^\.IP\n\(momento\\-ultimo\\-cli \\fB\\-b\)/.IP\n.nf\n\1/
s/^\.IP\n\(\[\\-\\-verifica\)/\1/
}
/^\[\\-\\-verifica/a\
.fi
