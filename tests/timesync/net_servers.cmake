# The real network-time peers (chronyd, nginx, tinyproxy) on loopback, started
# once before the tests that need them and stopped by their PIDs afterwards.
set(TBQ_NET_SERVERS_DIR ${CMAKE_BINARY_DIR}/net-servers)
set(TBQ_NET_SERVERS_ENV "TBQ_NET_SERVERS=${TBQ_NET_SERVERS_DIR}/servers.env")
add_test(NAME net_servers_start
         COMMAND ${PROJECT_SOURCE_DIR}/tests/harness/net-servers start ${TBQ_NET_SERVERS_DIR})
set_tests_properties(net_servers_start PROPERTIES FIXTURES_SETUP net_servers)
add_test(NAME net_servers_stop
         COMMAND ${PROJECT_SOURCE_DIR}/tests/harness/net-servers stop ${TBQ_NET_SERVERS_DIR})
set_tests_properties(net_servers_stop PROPERTIES FIXTURES_CLEANUP net_servers)
