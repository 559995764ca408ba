</context>
</TS>
